#pragma once
// A fresh working directory and settings file for tests that create the windows,
// holding the run directory's data files, with message boxes and sounds recorded and the end of the process turned into an exception.
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "platform/testing/recordingmessageboxes.h"
#include "platform/testing/recordingsound.h"
#include "platform/testing/recordingspeechservice.h"
#include "platform/testing/recordingtts.h"

namespace orvela::testing {

class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;

    std::string path(const std::string& name) const;
    std::string readFile(const std::string& name) const;
    void writeFile(const std::string& name, const std::string& bytes) const;
    std::string settingsPath() const { return path("orvela.ini"); }

    QTemporaryDir dir;
    RecordingMessageBoxes boxes;
    // The main window's creation loads the default sounds.dat into this device.
    RecordingSound soundDevice{false};
    // Both speech engines are doubles: no real voice, no speech daemon.
    RecordingTtsEngine speechEngine;
    RecordingSpeechService speechService;

private:
    std::filesystem::path previous_;
};

}  // namespace orvela::testing
