#include "program/gametexts.h"

#include "platform/codec.h"

namespace orvela {

namespace {

gametexts maketexts() {
    gametexts t;
    t.title = "hra logik."_cp;
    t.subtitle = "hladaňie správnej kombinácie čísiel 1 až ďeveť."_cp;
    t.codesquestion = "keď chceš kódy napíš ,a, inak napíš hociktoré iné písmeno."_cp;
    t.rulesquestion = "keď chceš pravidlá napíš ,a,"_cp;

    t.codes = "kódy."_cp;
    t.codeend = ",e,; ukončeňie hry."_cp;
    t.codenew = ",n,; začni novú hru."_cp;
    t.codecontinue = ",p,; pokračuj v hre."_cp;
    t.coderepeat = ",z,; zopakuj vyhodnoťenie."_cp;

    t.rules1 = "táto hra precvičí tvoju pameť. buďeš hladať čísla od jedna do ďeveť tak, že ich na vyzvaňie postupňe napíšeš."_cp;
    t.rules2 = "hra je skomplikovaná tým, že musíš hladať čísla súčasňe v troch, štyroch alebo piatich samostatných stlpcoch. ich počet si zvolíš sám na začiatku každej hry."_cp;
    t.rules3 = "v hre sa muožu v jednotlivých stlpcoch vyskytnúť aj rovnaké čísla."_cp;
    t.rules4 = "po každom pokuse buďe vyhodnoťená úspešnosť tvojho zásahu. hra končí nájďením hladaných čísiel vo zvolenom počťe stlpcov."_cp;
    t.termsintro = "pri hodnoťení zásahov sa používajú tri termíny."_cp;
    t.termexact = "počet presných zásahov;"_cp;
    t.explainexact = ";oznámeňie o počťe uhádnutých čísiel."_cp;
    t.termelsewhere = "počet zásahov vedla;"_cp;
    t.explainelsewhere = ";oznámeňie o počťe uhádnutých čísiel, ale tieto sa vyskytujú v inom stlpcy."_cp;
    t.termmisses = "počet ňepresných zásahov;"_cp;
    t.explainmisses = ";oznámeňie o počťe ňeuhádnutých čísiel."_cp;
    t.rules5 = "za správňe uhádnuté číslo sa považuje číslo, ktorému uhádňeš hodnotu i jeho umiestňeňie v správnom stlpci."_cp;
    t.goodluck = "tak vela šťasťia!"_cp;

    t.columnsquestion = "napíš s kolkými číslami chceš hrať:"_cp;
    t.enter = "zadaj "_cp;
    t.put = "vlož "_cp;
    t.digitword = " číslo"_cp;
    t.reportexact = "počet presných zásahov "_cp;
    t.reportelsewhere = "počet zásahov vedla "_cp;
    t.reportmisses = "počet ňepresných zásahov "_cp;
    t.badentry = "chybný zápis! ešťe raz "_cp;
    t.youtyped = "typuješ čísla"_cp;
    t.ofwhich = "z toho je:"_cp;
    t.win = "výborňe! kombinácia je správna. sú to čísla"_cp;
    t.attemptscount = "počet pokusov "_cp;
    t.newrecord = ";nový rekord!"_cp;
    t.oldrecord = ";doterajší bol:"_cp;
    t.equalrecord = ";vyrovnaňie doterajšieho rekordu!"_cp;
    t.time = "čas,"_cp;
    t.silence = ";";

    t.gamescount = "počet hier "_cp;
    t.overview = "prehlad o použitých pokusoch:"_cp;
    t.columngames = {"hra s troma číslami"_cp, "hra so štyrmi číslami"_cp, "hra s piatimi číslami"_cp};
    t.notplayed = "sa ňehrala."_cp;

    t.numberwords = {"nula,"_cp, "jedna,"_cp, "dva,"_cp,   "tri,"_cp,  "štyri,"_cp, "peť,"_cp,
                     "šesť,"_cp, "seďem,"_cp, "osem,"_cp, "ďeveť,"_cp, ""};
    t.ordinals = {"prvé"_cp, "druhé"_cp, "treťie"_cp, "štvrté"_cp, "piate"_cp};
    t.countwords = {" tri"_cp, " štyri"_cp, " peť"_cp};
    t.fewnoun = " čísla."_cp;
    t.manynoun = " čísiel."_cp;
    t.startnoun = " ";
    return t;
}

}  // namespace

const gametexts& texts() {
    static const gametexts all = maketexts();
    return all;
}

}  // namespace orvela
