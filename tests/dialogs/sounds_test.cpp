#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>
#include <optional>

#include "app/settingsfile.h"
#include "app/unit1.h"
#include "app/windows.h"
#include "platform/codec.h"
#include "platform/testing/recordingsound.h"
#include "platform/testing/recordingtts.h"
#include "platform/testing/virtualtime.h"
#include "runtime/soundcommands.h"
#include "settings/unit5.h"
#include "speech/speechoutput.h"
#include "speech/unit4.h"
#include "dialogfixture.h"
#include "modal.h"

namespace orvela {
namespace {

using testing::press;
using testing::WhenShown;

class SoundsDialogTest : public testing::DialogFixture {
protected:
    // Starts with these settings lines added to the voice being refused.
    void startWith(const std::string& soundsLines) { start("[voice]\nvoiceallowed=0\n[sounds]\n" + soundsLines); }
    std::string ini() const { return readFile("orvela.ini"); }
    // The volume of every sample note played, in order.
    std::vector<int> samples() const {
        std::vector<int> volumes;
        for (const auto& e : sounds.events)
            if (e.kind == testing::SoundEvent::Play && e.name == "snd11") volumes.push_back(e.volume);
        return volumes;
    }
    // Tab from the voice check box to the track bar.
    static void tabToBar() {
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), Form5->sndvoltrackbar);
    }
};

TEST_F(SoundsDialogTest, CreationCaptionsInTheStartLanguage) {
    start("[voice]\nvoiceallowed=0\n[environment]\nlanguage=2000\n");
    EXPECT_EQ(Form5->windowTitle(), "Sounds settings");
    EXPECT_EQ(Form5->voicecheckbox->text(), "Use the &voice");
    EXPECT_EQ(Form5->orvelasoundschk->text(), "&Orvela sounds");
    EXPECT_EQ(Form5->sndvolstatic->text(), "Sound vo&lume");
    EXPECT_EQ(Form5->okbitbtn->text(), "&OK");
    EXPECT_EQ(Form5->cancelbitbtn->text(), "Cancel");
    EXPECT_EQ(Form5->size(), QSize(398, 256));
    EXPECT_EQ(Form5->sndvoltrackbar->geometry(), QRect(120, 104, 150, 45));
    EXPECT_EQ(Form5->sndvoltrackbar->maximum(), 100);
}

TEST_F(SoundsDialogTest, OpeningPlacesTheBarFromTheVolume) {
    const struct {
        const char* stored;
        int position;
        std::int32_t volume;  // after opening, whatever the dialog's end
    } cases[] = {{"-3000", 70, -3000},      {"-550", 94, -600},
                 {"300", 100, 0},           {"2147483647", 100, 0},
                 // The bar stays at its first position 0, so nothing is stored back.
                 {"-10050", 0, -10050},     {"-2147483648", 0, INT32_MIN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        startWith(std::string("sndvolume=") + c.stored + "\n");
        int shown = -1;
        WhenShown cancel(Form5, [&] {
            shown = Form5->sndvoltrackbar->value();
            press(Qt::Key_Escape);
        });
        soundssubmenuClick();
        EXPECT_EQ(shown, c.position);
        EXPECT_EQ(sndvolume, c.volume);
        EXPECT_TRUE(samples().empty());  // not active while it is being set up
        stop();
    }
}

TEST_F(SoundsDialogTest, MovingTheBarPlaysSamplesAndCancelRestores) {
    startWith("sndvolume=-3000\n");
    int whileOpen = 0;
    WhenShown move(Form5, [&] {
        tabToBar();
        press(Qt::Key_PageDown);
        press(Qt::Key_PageDown);
        whileOpen = sndvolume;
        press(Qt::Key_Escape);
    });
    soundssubmenuClick();
    EXPECT_EQ(whileOpen, -5000);
    EXPECT_EQ(samples(), (std::vector<int>{-4000, -5000}));
    EXPECT_EQ(sndvolume, -3000);
    EXPECT_EQ(ini().find("sndvolume=-5000"), std::string::npos);
}

TEST_F(SoundsDialogTest, TheLabelsAcceleratorReachesTheBar) {
    startWith("");
    WhenShown accelerate(Form5, [] {
        press(Qt::Key_L, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), Form5->sndvoltrackbar);
        press(Qt::Key_Escape);
    });
    soundssubmenuClick();
    EXPECT_TRUE(accelerate.ran());
}

TEST_F(SoundsDialogTest, OkWritesTheThreeSettings) {
    startWith("sndvolume=-3000\n[keyboard]\nbraillekeys=1\n");
    WhenShown ok(Form5, [] {
        press(Qt::Key_Tab);
        press(Qt::Key_Space);  // device sounds off
        EXPECT_FALSE(Form5->sndvoltrackbar->isEnabled());
        press(Qt::Key_Return);
    });
    soundssubmenuClick();
    EXPECT_FALSE(orvelasounds);
    EXPECT_FALSE(voiceallowed);
    EXPECT_EQ(ini(),
              "[voice]\nvoiceallowed=0\n[sounds]\nsndvolume=-3000\norvelasounds=0\n[keyboard]\nbraillekeys=1\n");
    sounds.events.clear();
    sound({440}, 100, 1);
    click(16);
    beep();
    EXPECT_TRUE(sounds.events.empty());
}

TEST_F(SoundsDialogTest, CancelLeavesTheSwitchesAsTheyWere) {
    startWith("");
    const std::string before = ini();
    WhenShown cancel(Form5, [] {
        press(Qt::Key_Space);  // voice
        press(Qt::Key_Tab);
        press(Qt::Key_Space);  // device sounds
        press(Qt::Key_Escape);
    });
    soundssubmenuClick();
    EXPECT_TRUE(orvelasounds);
    EXPECT_FALSE(voiceallowed);
    EXPECT_EQ(ini(), before);
    // The next opening shows the settings, not the abandoned boxes.
    WhenShown look(Form5, [] {
        EXPECT_TRUE(Form5->orvelasoundschk->isChecked());
        EXPECT_FALSE(Form5->voicecheckbox->isChecked());
        EXPECT_TRUE(Form5->sndvoltrackbar->isEnabled());
        press(Qt::Key_Escape);
    });
    soundssubmenuClick();
    EXPECT_TRUE(look.ran());
}

// With the device sounds off, the box alone does not make the samples sound.
TEST_F(SoundsDialogTest, NoSampleWhileTheSettingIsOff) {
    startWith("orvelasounds=0\nsndvolume=-3000\n");
    bool barEnabledAtOpen = true;
    WhenShown move(Form5, [&] {
        barEnabledAtOpen = Form5->sndvoltrackbar->isEnabled();
        press(Qt::Key_Tab);
        press(Qt::Key_Space);  // device sounds on
        press(Qt::Key_Tab);
        press(Qt::Key_PageUp);
        press(Qt::Key_Return);
    });
    soundssubmenuClick();
    EXPECT_FALSE(barEnabledAtOpen);
    EXPECT_TRUE(samples().empty());
    EXPECT_EQ(sndvolume, -2000);
    EXPECT_TRUE(orvelasounds);
    EXPECT_NE(ini().find("sndvolume=-2000"), std::string::npos);
}

TEST_F(SoundsDialogTest, AllowingTheVoiceWithoutVoicesShowsMessage40) {
    testing::RecordingTtsEngine engine;
    engine.failWith("CreateEnumerator", REGDB_E_CLASSNOTREG);  // no engine installed
    startWith("");
    ASSERT_FALSE(speech::sapi4available());
    WhenShown allow(Form5, [] {
        press(Qt::Key_Space);
        press(Qt::Key_Return);
    });
    soundssubmenuClick();
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0], "Nelze povolit hlas. Žádné hlasy nejsou k dispozici."_cp);
    EXPECT_FALSE(voiceallowed);
    EXPECT_FALSE(Form5->voicecheckbox->isChecked());
    EXPECT_FALSE(Form1->Voicesubmenu->isEnabled());
    // The other settings are written all the same.
    EXPECT_NE(ini().find("orvelasounds=1"), std::string::npos);
}

TEST_F(SoundsDialogTest, AllowingTheVoiceOpensAndSavesTheListedVoice) {
    testing::RecordingTtsEngine engine;
    startWith("");
    ASSERT_TRUE(speech::sapi4available());
    ASSERT_EQ(Form4->voicelist->count(), 0);  // not listed while refused
    WhenShown allow(Form5, [] {
        press(Qt::Key_Space);
        press(Qt::Key_Return);
    });
    soundssubmenuClick();
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_TRUE(voiceallowed);
    EXPECT_TRUE(speech::voiceready);
    EXPECT_EQ(Form4->voicelist->count(), 2);
    EXPECT_TRUE(Form1->Voicesubmenu->isEnabled());
    EXPECT_NE(ini().find("person=Czech"), std::string::npos);
    EXPECT_NE(ini().find("voiceallowed=1"), std::string::npos);
}

TEST_F(SoundsDialogTest, RefusingTheVoiceDisablesTheVoiceItem) {
    start("[voice]\nvoiceallowed=1\n");
    ASSERT_TRUE(Form1->Voicesubmenu->isEnabled());
    WhenShown refuse(Form5, [] {
        press(Qt::Key_Space);
        press(Qt::Key_Return);
    });
    soundssubmenuClick();
    EXPECT_FALSE(voiceallowed);
    EXPECT_FALSE(Form1->Voicesubmenu->isEnabled());
    EXPECT_NE(ini().find("voiceallowed=0"), std::string::npos);
}

TEST_F(SoundsDialogTest, MenuItemOpensTheDialog) {
    startWith("");
    WhenShown cancel(Form5, [] { press(Qt::Key_Escape); });
    Form1->soundssubmenu->trigger();
    EXPECT_TRUE(cancel.ran());
}

}  // namespace
}  // namespace orvela
