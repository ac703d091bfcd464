#pragma once
// A scratch directory for data files, with the keyboard tables emptied before and after.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <string>

#include "keyboard/brailletable.h"
#include "keyboard/echokeys.h"

namespace orvela::testing {

class KeyboardTables : public ::testing::Test {
protected:
    void SetUp() override {
        resetbrailletable();
        resetechokeys();
        ASSERT_TRUE(dir_.isValid());
    }
    void TearDown() override {
        resetbrailletable();
        resetechokeys();
    }

    // Writes bytes as they are (line ends included) and returns the file's path.
    std::string writefile(const std::string& name, const std::string& bytes) {
        const std::string path = dir_.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string path(const std::string& name) const { return dir_.filePath(QString::fromStdString(name)).toStdString(); }

private:
    QTemporaryDir dir_;
};

}  // namespace orvela::testing
