// The voice dialog and the voice menu commands, off screen with real Qt events, over
// recording doubles of both engines.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/settingsfile.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "dialogs/modal.h"
#include "platform/codec.h"
#include "platform/eventpump.h"
#include "platform/process.h"
#include "platform/testing/virtualtime.h"
#include "settings/resourcelocalizer.h"
#include "speech/speechoutput.h"
#include "speech/unit4.h"
#include "speech/voicemenu.h"
#include "speech/voicesettings.h"
#include "support/appfixture.h"

namespace orvela {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using testing::press;
using Strings = std::vector<std::string>;

// Acts once the dialog is the active modal window and its activation has finished
// announcing it (a key during the announcement would nest inside it).
class WhenAnnounced {
public:
    explicit WhenAnnounced(std::function<void()> act) {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this, act] {
            if (QApplication::activeModalWidget() != Form4 || !Form4->isActiveWindow() || !voicedialogshown) return;
            timer_.stop();
            ran_ = true;
            act();
        });
        timer_.start();
    }
    bool ran() const { return ran_; }

private:
    QTimer timer_;
    bool ran_ = false;
};

class VoiceDialogTest : public testing::AppFixture {
protected:
    ~VoiceDialogTest() override { destroywindows(); }

    // English interface; the engine's modes are set before the windows are created.
    void start(const std::string& ini = "[environment]\nlanguage=2000\n") {
        writeFile("orvela.ini", ini);
        createwindows();
        ASSERT_TRUE(Form4);
    }
    void openVoice() {
        speech::openvoice();
        speechEngine.clearCalls();
        speechEngine.state().texts.clear();
    }
    static std::string caption(const QLabel* label) { return codec::fromQString(label->text()); }
    const Strings& spoken() const { return speechEngine.texts(); }
};

TEST_F(VoiceDialogTest, CreationCaptionsListsTheVoicesAndFillsTheWordDelimiters) {
    start();
    EXPECT_EQ(Form4->windowTitle(), "Voice settings");
    const QStringList captions = {Form4->voicestatic->text(), Form4->pitchstatic->text(), Form4->speedstatic->text(),
                                  Form4->volumestatic->text(), Form4->vyberhlasbitbtn->text(),
                                  Form4->closebitbtn->text()};
    EXPECT_EQ(captions, QStringList({"&Voices", "&Pitch", "&Speed", "Vo&lume", "&Choose voice", "&Close"}));
    ASSERT_EQ(Form4->voicelist->count(), 2);
    EXPECT_EQ(Form4->voicelist->currentRow(), 0);
    ASSERT_TRUE(speech::voicemode);
    EXPECT_EQ(speech::voicemode->szModeName, "Czech");
    EXPECT_FALSE(Form4->speedtb->isEnabled());
    EXPECT_FALSE(Form4->volumestatic->isEnabled());
    EXPECT_TRUE(spoken().empty());  // the dialog is not active: nothing is said
    std::bitset<256> expected;
    for (const int c : {13, 32, 44}) expected.set(c);
    EXPECT_EQ(worddelimiters, expected);
}

TEST_F(VoiceDialogTest, ListSelectsJakubOnlyWithExactCase) {
    struct Case {
        std::vector<const char*> names;
        int selected;
    };
    const Case cases[] = {
        {{"Eva", "Jakub", "Zuzana"}, 1},
        {{"Eva", "jakub", "JAKUB"}, 0},
        {{"Jakub2", "Jakub"}, 1},
        {{"Adam"}, 0},
    };
    for (const auto& c : cases) {
        speechEngine.modes().clear();
        for (const char* name : c.names) speechEngine.modes().push_back({std::string("id-") + name, name});
        start();
        EXPECT_EQ(Form4->voicelist->currentRow(), c.selected) << c.names[0];
        EXPECT_EQ(speech::voicemode->szModeName, c.names[c.selected]);
        destroywindows();
    }
}

TEST_F(VoiceDialogTest, NoListWhenTheVoiceIsNotAllowed) {
    start("[environment]\nlanguage=2000\n[voice]\nvoiceallowed=0\n");
    EXPECT_EQ(Form4->voicelist->count(), 0);
    EXPECT_FALSE(voiceallowed);
}

TEST_F(VoiceDialogTest, AnUnreachableServiceLeavesTheDesignCaptionsAndAnEmptyList) {
    speechService.setReachable(false);
    start("[environment]\nlanguage=1000\n");  // Czech captions would replace the design texts
    ASSERT_EQ(boxes.errors.size(), 1u);
    EXPECT_EQ(Form4->voicestatic->text(), "&Voices");
    EXPECT_EQ(Form4->voicelist->count(), 0);
    EXPECT_FALSE(speech::notifysink);
    EXPECT_TRUE(worddelimiters.none());
}

TEST_F(VoiceDialogTest, OpeningAVoiceGivesTheBarsItsLimitsAndInjectsTheirValues) {
    speechEngine.speed() = {true, 50, 400, 175};
    speechEngine.pitch() = {true, 0, 25, 12};
    start();
    speechEngine.clearCalls();
    speech::openvoice();
    EXPECT_EQ(Form4->speedtb->minimum(), 50);
    EXPECT_EQ(Form4->speedtb->maximum(), 400);
    EXPECT_EQ(Form4->speedtb->value(), 175);
    EXPECT_EQ(Form4->speedtb->tickInterval(), 35);
    EXPECT_EQ(Form4->pitchtb->tickInterval(), 2);
    EXPECT_EQ(Form4->volumetb->maximum(), 255);
    EXPECT_EQ(Form4->volumetb->value(), 255);
    for (QWidget* control : {static_cast<QWidget*>(Form4->speedtb), static_cast<QWidget*>(Form4->pitchstatic),
                             static_cast<QWidget*>(Form4->volumetb)})
        EXPECT_TRUE(control->isEnabled());
    // Each changed position reached the voice as a tag, silently (the dialog is not active).
    const Strings& calls = speechEngine.calls();
    EXPECT_THAT(calls, Contains("Inject \\Spd=175\\"));
    EXPECT_THAT(calls, Contains("Inject \\Pit=12\\"));
    EXPECT_THAT(calls, Contains("Inject \\Vol=65280\\"));
    EXPECT_TRUE(spoken().empty());
}

TEST_F(VoiceDialogTest, AnEngineWithoutSpeedLeavesTheBarAsItWasButEnabled) {
    speechEngine.speed().supported = false;
    start();
    speech::openvoice();
    EXPECT_EQ(Form4->speedtb->minimum(), 0);
    EXPECT_EQ(Form4->speedtb->maximum(), 10);
    EXPECT_EQ(Form4->speedtb->value(), 0);
    EXPECT_TRUE(Form4->speedtb->isEnabled());
}

TEST_F(VoiceDialogTest, ShowingAnnouncesTitleAndListOnceThenEachControlAndBarValue) {
    start();
    openVoice();
    Strings heard;
    WhenAnnounced shown([&] {
        heard = spoken();
        speechEngine.clearCalls();
        press(Qt::Key_Tab);  // to the pitch bar
        const Strings afterTab = spoken();
        EXPECT_EQ(afterTab.back(), "&Pitch " + std::to_string(Form4->pitchtb->value()));
        press(Qt::Key_Tab);  // to the speed bar
        speechEngine.clearCalls();
        const int before = Form4->speedtb->value();
        press(Qt::Key_Right);
        EXPECT_EQ(speechEngine.calls(),
                  (Strings{"AudioReset", "Inject \\Spd=" + std::to_string(before + 1) + "\\", "TextData " + std::to_string(before + 1)}));
        press(Qt::Key_Escape);
    });
    Form4->voicelist->setFocus();
    EXPECT_EQ(Form4->exec(), QDialog::Rejected);
    ASSERT_TRUE(shown.ran());
    EXPECT_EQ(heard, (Strings{"Voice settings", "&Voices Czech"}));
    EXPECT_FALSE(voicedialogshown);
}

// Another window active for a moment (an error box over the dialog, Alt+Tab away and
// back) does not make the dialog announce itself again; showing it again does.
TEST_F(VoiceDialogTest, BecomingActiveAgainDoesNotAnnounceTheDialogAgain) {
    start();
    openVoice();
    for (int shown = 0; shown < 2; ++shown) {
        speechEngine.state().texts.clear();
        Strings heard;
        WhenAnnounced away([&] {
            QApplication::setActiveWindow(Form1);
            QApplication::processEvents();
            QApplication::setActiveWindow(Form4);
            QApplication::processEvents();
            heard = spoken();
            press(Qt::Key_Escape);
        });
        Form4->voicelist->setFocus();
        Form4->exec();
        ASSERT_TRUE(away.ran());
        EXPECT_EQ(heard, (Strings{"Voice settings", "&Voices Czech"}));
    }
}

TEST_F(VoiceDialogTest, TheVolumeBarAtTheTopInjectsTheFullLevelAndSaysTheBarValue) {
    start();
    openVoice();
    WhenAnnounced shown([&] {
        speechEngine.clearCalls();
        Form4->volumetb->setValue(254);
        Form4->volumetb->setValue(255);
        press(Qt::Key_Escape);
    });
    Form4->exec();
    ASSERT_TRUE(shown.ran());
    EXPECT_THAT(speechEngine.calls(), Contains("Inject \\Vol=65280\\"));
    EXPECT_EQ(spoken().back(), "255");
}

TEST_F(VoiceDialogTest, ArrowingThroughTheListSaysEachVoiceButOpensNone) {
    start();
    openVoice();
    WhenAnnounced shown([&] {
        speechEngine.clearCalls();
        press(Qt::Key_Down);
        EXPECT_EQ(speechEngine.calls().back(), "TextData Slovak");
        press(Qt::Key_Escape);
    });
    Form4->voicelist->setFocus();
    Form4->exec();
    ASSERT_TRUE(shown.ran());
    EXPECT_EQ(speech::voicemode->szModeName, "Slovak");
    for (const auto& call : speechEngine.calls()) EXPECT_EQ(call.rfind("Select", 0), std::string::npos) << call;
}

TEST_F(VoiceDialogTest, VoiceCommandOkSavesOpensAndSaysVoiceSelected) {
    start();
    WhenAnnounced shown([&] {
        press(Qt::Key_Down);   // Slovak
        press(Qt::Key_Return); // OK while the list has the focus
    });
    VoicesubmenuClick();
    ASSERT_TRUE(shown.ran());
    const IniFile ini = settingsfile();
    EXPECT_EQ(ini.readString("Voice", "person", ""), "Slovak");
    EXPECT_EQ(ini.readInteger("Voice", "volume", 0), 255);
    EXPECT_THAT(speechEngine.calls(), Contains("Select sk"));
    EXPECT_EQ(spoken().back(), "Voice selected.");
}

TEST_F(VoiceDialogTest, VoiceCommandCancelKeepsTheOldVoiceAndSaysTheTitle) {
    start();
    WhenAnnounced shown([&] {
        press(Qt::Key_Down);
        press(Qt::Key_Escape);
    });
    VoicesubmenuClick();
    ASSERT_TRUE(shown.ran());
    EXPECT_EQ(settingsfile().readString("Voice", "person", ""), "Czech");
    EXPECT_EQ(spoken().back(), codec::fromQString(Form1->windowTitle()));
}

TEST_F(VoiceDialogTest, VoiceCommandRefusesWhileTheVoiceIsNotAllowed) {
    start("[environment]\nlanguage=2000\n[voice]\nvoiceallowed=0\n");
    VoicesubmenuClick();
    EXPECT_THAT(boxes.messages, ElementsAre(localized(18)));
    EXPECT_TRUE(spoken().empty());
}

// The pair is notes 400 and 600 (played at 64 times the note), 50 ms each, in octave 3.
TEST_F(VoiceDialogTest, UseServiceTogglesTheEnginesTheMenuItemAndTheKeyWithAPair) {
    start();
    testing::VirtualTime time;
    const Strings rising = {"0 play snd13 looped 25600 Hz 0 cB", "50 stop snd13",
                            "50 play snd13 looped 38400 Hz 0 cB", "100 stop snd13"};
    const Strings falling = {"0 play snd13 looped 38400 Hz 0 cB", "50 stop snd13",
                             "50 play snd13 looped 25600 Hz 0 cB", "100 stop snd13"};
    struct Step {
        bool checked;
        std::string key;
        const Strings& pair;
    };
    for (const Step& step : {Step{true, "1", rising}, Step{false, "0", falling}}) {
        soundDevice.events.clear();
        usesapi5submenuClick();
        EXPECT_EQ(Form1->usesapi5submenu->isChecked(), step.checked);
        EXPECT_EQ(speech::usesapi5, step.checked);
        EXPECT_EQ(speech::voiceready, step.checked);
        EXPECT_EQ(Form1->Voicesubmenu->isEnabled(), !step.checked);
        EXPECT_EQ(settingsfile().readString("Voice", "sapi5", ""), step.key);
        EXPECT_EQ(soundDevice.timeline(), step.pair);
    }
}

TEST_F(VoiceDialogTest, SavedVoiceIsFoundWithoutRegardToCaseAndItsBarsApplied) {
    speechEngine.speed() = {true, 50, 400, 175};
    start("[environment]\nlanguage=2000\n[Voice]\nperson=SLOVAK\npitch=60\nspeed=900\n");
    readvoicesettings();
    EXPECT_EQ(Form4->voicelist->currentRow(), 1);
    EXPECT_EQ(speech::voicemode->szModeName, "Slovak");
    EXPECT_EQ(Form4->pitchtb->value(), 60);
    EXPECT_EQ(Form4->speedtb->value(), 400);  // kept within the bar's range
    EXPECT_EQ(Form4->volumetb->value(), 255);
    writevoicesettings();
    const IniFile ini = settingsfile();
    EXPECT_EQ(ini.readString("Voice", "person", ""), "Slovak");
    EXPECT_EQ(ini.readInteger("Voice", "speed", 0), 400);
}

TEST_F(VoiceDialogTest, ASavedVoiceThatIsNotInstalledEndsTheProcessAfterAMessage) {
    start("[environment]\nlanguage=2000\n[Voice]\nperson=Nikto\n");
    EXPECT_THROW(readvoicesettings(), ProcessEnded);
    EXPECT_THAT(boxes.messages, ElementsAre(localized(43) + " Nikto"));
}

TEST_F(VoiceDialogTest, ANameNotInstalledIsNotLookedUpWhileTheVoiceIsNotAllowed) {
    start("[environment]\nlanguage=2000\n[voice]\nvoiceallowed=0\nperson=Nikto\n");
    EXPECT_NO_THROW(readvoicesettings());
    EXPECT_TRUE(boxes.messages.empty());
}

}  // namespace
}  // namespace orvela
