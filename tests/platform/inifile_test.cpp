#include "platform/inifile.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "platform/errors.h"

using orvela::IniFile;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::string path = dir.filePath("orvela.ini").toStdString();
    void write(const std::string& content) { std::ofstream(path, std::ios::binary) << content; }
    std::string read() {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(IniFileTest, NamesMatchWithoutRegardToCase) {
    write("[VOICE]\nSAPI5=1\nperson=Jakub\n");
    IniFile ini(path);
    EXPECT_TRUE(ini.readBool("Voice", "sapi5", false));
    EXPECT_EQ(ini.readString("voice", "PERSON", ""), "Jakub");
    ini.writeString("voice", "Person", "Zuzana");
    EXPECT_EQ(read(), "[VOICE]\nSAPI5=1\nPerson=Zuzana\n");
}

TEST_F(IniFileTest, IntegersDecimalHexAndDefaults) {
    struct Case {
        const char* text;
        int expected;
    } cases[] = {{"16", 16},          {"0x10", 16},  {"$10", 16},   {"  -600", -600}, {"-$10", -16},
                 {"letters", 7},      {"", 7},       {"12abc", 7},  {"0x", 7},        {"2147483648", 7},
                 {"-2147483648", INT32_MIN},         {"$FFFFFFFF", -1}, {"0X1f", 31}};
    for (const auto& c : cases) {
        write(std::string("[sounds]\nsndvolume=") + c.text + "\n");
        EXPECT_EQ(IniFile(path).readInteger("sounds", "sndvolume", 7), c.expected) << c.text;
    }
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesDefault) {
    IniFile ini(path);
    EXPECT_FALSE(ini.exists());
    EXPECT_EQ(ini.readInteger("environment", "language", 1000), 1000);
    EXPECT_TRUE(ini.readBool("voice", "voiceallowed", true));
    write("[voice]\nother=1\n");
    EXPECT_EQ(ini.readString("voice", "person", "none"), "none");
    EXPECT_FALSE(ini.readBool("keyboard", "braillekeys", false));
}

TEST_F(IniFileTest, WritesKeepOtherLinesAndAppendInTheRightSection) {
    write("; a comment\n[voice]\nvoiceallowed=1\n\n[sounds]\norvelasounds=1\n");
    IniFile ini(path);
    ini.writeInteger("voice", "pitch", 120);
    ini.writeBool("sounds", "orvelasounds", false);
    ini.writeInteger("keyboard", "braillekeys", 1);
    EXPECT_EQ(read(),
              "; a comment\n[voice]\nvoiceallowed=1\npitch=120\n\n[sounds]\norvelasounds=0\n"
              "[keyboard]\nbraillekeys=1\n");
}

TEST_F(IniFileTest, FirstWriteCreatesFileAndCrlfIsKept) {
    IniFile ini(path);
    ini.writeBool("voice", "voiceallowed", false);
    EXPECT_EQ(read(), "[voice]\nvoiceallowed=0\n");
    write("[voice]\r\nvoiceallowed=1\r\n");
    ini.writeInteger("voice", "volume", 255);
    EXPECT_EQ(read(), "[voice]\r\nvoiceallowed=1\r\nvolume=255\r\n");
}

TEST_F(IniFileTest, UnwritableFileRaisesWithItsPathInTheBoxEncoding) {
    struct Case {
        const char* name;   // UTF-8, as the file system holds it
        const char* shown;  // Windows-1250, as the error box gets it
    } cases[] = {{"orvela.ini", "orvela.ini"},
                 {"jožo.ini", "jo\x9Eo.ini"},
                 {"Čaj ľad €.ini", "\xC8" "aj \xBE" "ad \x80.ini"},
                 {"año 日本.ini", "a?o ??.ini"}};  // no Windows-1250 code
    const std::string folder = dir.path().toStdString() + "/";
    for (const auto& c : cases) {
        const std::string file = folder + c.name;
        std::ofstream(file, std::ios::binary) << "[voice]\nvoiceallowed=1\n";
        std::filesystem::permissions(file, std::filesystem::perms::owner_read);
        try {
            IniFile(file).writeBool("voice", "voiceallowed", false);
            ADD_FAILURE() << c.name << ": the write should fail";
        } catch (const orvela::OrvelaError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + folder + c.shown);
        }
        std::ifstream in(file, std::ios::binary);
        std::stringstream kept;
        kept << in.rdbuf();
        EXPECT_EQ(kept.str(), "[voice]\nvoiceallowed=1\n") << c.name;
    }

    IniFile nowhere(dir.filePath("missing/dir/orvela.ini").toStdString());
    EXPECT_THROW(nowhere.writeBool("voice", "voiceallowed", true), orvela::OrvelaError);
}

}  // namespace
