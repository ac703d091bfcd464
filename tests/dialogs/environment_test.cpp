#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "app/unit1.h"
#include "platform/codec.h"
#include "settings/radiogroup.h"
#include "settings/resourcelocalizer.h"
#include "settings/unit3.h"
#include "dialogfixture.h"
#include "modal.h"

namespace orvela {
namespace {

using testing::press;
using testing::WhenShown;

class EnvironmentDialogTest : public testing::DialogFixture {
protected:
    void startWithLanguage(const std::string& language) {
        // A language outside the table names its key-name file ".oky"; give it one, so the
        // start shows no "File not found".
        writeFile(".oky", "");
        start("[voice]\nvoiceallowed=0\n[environment]\nlanguage=" + language + "\n");
    }
    std::string storedLanguage() const {
        const std::string ini = readFile("orvela.ini");
        const auto at = ini.find("language=");
        return at == std::string::npos ? "" : ini.substr(at + 9, ini.find('\n', at) - at - 9);
    }
    static QStringList captions() {
        return {Form3->windowTitle(), Form3->languagergroup->title(), Form3->okbitbtn->text(),
                Form3->cancelbitbtn->text()};
    }
    static QStringList utf8(std::initializer_list<const char*> texts) {
        QStringList out;
        for (const char* t : texts) out << QString::fromUtf8(t);
        return out;
    }
};

TEST_F(EnvironmentDialogTest, CreationListsTheLanguagesAndKeepsTheStoredOne) {
    startWithLanguage("2000");
    TRadioGroup& group = *Form3->languagergroup;
    ASSERT_EQ(group.count(), 3);
    EXPECT_EQ(group.button(0)->text(), QString::fromUtf8("Čeština"));
    EXPECT_EQ(group.button(1)->text(), "English");
    EXPECT_EQ(group.button(2)->text(), QString::fromUtf8("Slovenčina"));
    EXPECT_EQ(group.value(2), 3000);
    // The first entry is selected, yet the language stays the stored one.
    EXPECT_EQ(group.itemIndex(), 0);
    EXPECT_EQ(languagebase, 2000);
    EXPECT_EQ(captions(), utf8({"environment settings", "&Language", "&OK", "Cancel"}));
    EXPECT_EQ(Form3->size(), QSize(481, 315));
    EXPECT_EQ(group.geometry(), QRect(136, 40, 185, 105));
    EXPECT_EQ(Form3->okbitbtn->geometry(), QRect(136, 184, 75, 25));
    EXPECT_EQ(Form3->cancelbitbtn->geometry(), QRect(248, 184, 75, 25));
}

// Opening selects the stored language's entry; OK with no change writes it back
// (a language past the table becomes the last one) and says nothing.
TEST_F(EnvironmentDialogTest, OkWithoutChangeWritesTheShownLanguageSilently) {
    const struct {
        const char* stored;
        int selected;
        const char* written;
    } cases[] = {{"2000", 1, "2000"}, {"1000", 0, "1000"}, {"5000", 2, "3000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        startWithLanguage(c.stored);
        int selectedWhenShown = -1;
        WhenShown ok(Form3, [&] {
            selectedWhenShown = Form3->languagergroup->itemIndex();
            press(Qt::Key_Return);
        });
        environmentsubmenuClick();
        EXPECT_TRUE(ok.ran());
        EXPECT_EQ(selectedWhenShown, c.selected);
        EXPECT_EQ(storedLanguage(), c.written);
        EXPECT_EQ(std::to_string(languagebase), c.written);
        EXPECT_TRUE(boxes.messages.empty());
        stop();
    }
}

TEST_F(EnvironmentDialogTest, ChoosingSlovakRecaptionsAtOnceAndOkStoresIt) {
    startWithLanguage("1000");
    QStringList whileOpen;
    WhenShown choose(Form3, [&] {
        press(Qt::Key_Down);  // English
        press(Qt::Key_Down);  // Slovak
        whileOpen = captions();
        press(Qt::Key_Return);
    });
    environmentsubmenuClick();
    EXPECT_EQ(whileOpen, utf8({"Nastavenie prostredia", "&jazyk", "&Ok", "Zrušiť"}));
    EXPECT_EQ(storedLanguage(), "3000");
    EXPECT_EQ(languagebase, 3000);
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0], "Vykonané zmeny sa prejavia až po najbližšom spustení programu."_cp);
    // Only this dialog follows at once; the menus keep their start-up language.
    EXPECT_EQ(Form1->environmentsubmenu->text(), QString::fromUtf8("Prostř&edí..."));
}

TEST_F(EnvironmentDialogTest, EveryOtherWayOfClosingKeepsTheOldLanguage) {
    const struct {
        const char* how;
        std::function<void()> close;
    } ways[] = {
        {"Escape", [] { press(Qt::Key_Escape); }},
        {"Cancel button", [] { Form3->cancelbitbtn->click(); }},
        {"close box", [] { Form3->close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        startWithLanguage("2000");
        WhenShown cancel(Form3, [&] {
            press(Qt::Key_Up);  // Czech
            EXPECT_EQ(languagebase, 1000);
            way.close();
        });
        environmentsubmenuClick();
        EXPECT_EQ(languagebase, 2000);
        EXPECT_EQ(storedLanguage(), "2000");
        EXPECT_TRUE(boxes.messages.empty());
        EXPECT_EQ(localized(6), "Your changes will be applied after you restart the program.");
        stop();
    }
}

TEST_F(EnvironmentDialogTest, CancelPutsBackALanguageOutsideTheTable) {
    startWithLanguage("5000");
    WhenShown cancel(Form3, [] {
        EXPECT_EQ(languagebase, 3000);
        EXPECT_EQ(Form3->windowTitle(), "Nastavenie prostredia");
        press(Qt::Key_Escape);
    });
    environmentsubmenuClick();
    EXPECT_EQ(languagebase, 5000);
    EXPECT_EQ(storedLanguage(), "5000");
}

// After a cancelled choice the next opening selects the current language again.
TEST_F(EnvironmentDialogTest, ReopeningAfterCancelShowsTheCurrentLanguage) {
    startWithLanguage("2000");
    {
        WhenShown cancel(Form3, [] {
            press(Qt::Key_Down);
            press(Qt::Key_Escape);
        });
        environmentsubmenuClick();
    }
    EXPECT_EQ(Form3->languagergroup->itemIndex(), 2);  // keeps the last click until reopened
    QString title;
    WhenShown look(Form3, [&] {
        title = Form3->windowTitle();
        press(Qt::Key_Escape);
    });
    environmentsubmenuClick();
    EXPECT_EQ(Form3->languagergroup->itemIndex(), 1);
    EXPECT_EQ(title, "environment settings");
}

TEST_F(EnvironmentDialogTest, MenuItemOpensTheDialog) {
    startWithLanguage("2000");
    WhenShown ok(Form3, [] { press(Qt::Key_Escape); });
    Form1->environmentsubmenu->trigger();
    EXPECT_TRUE(ok.ran());
}

}  // namespace
}  // namespace orvela
