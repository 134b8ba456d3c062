#include "common/errorreport.h"
#include "common/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void putBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(TextFile, SplitsAtCrLfAndCrLf) {
    struct Case {
        const char* text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\n", {"a"}},
        {"a\r", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\n\r", {"a", ""}}, // LF CR is two line ends
        {"a\r\r\nb", {"a", "", "b"}},
        {"x=1\t\r\n", {"x=1\t"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextFile::splitLines(QString::fromLatin1(c.text)), c.lines)
            << QByteArray(c.text).toPercentEncoding().constData();
}

TEST(TextFile, ReadsFilesAndWritesCrLfAfterEveryLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath("varlist.txt");
    putBytes(path, "speed=2,5\nmode=1\r\rlast");
    EXPECT_EQ(TextFile::readLines(path), QStringList({"speed=2,5", "mode=1", "", "last"}));

    TextFile::writeLines(path, {"a", "", "b=1"});
    EXPECT_EQ(fileBytes(path), QByteArray("a\r\n\r\nb=1\r\n"));
    TextFile::writeLines(path, {});
    EXPECT_EQ(fileBytes(path), QByteArray());
    EXPECT_EQ(TextFile::readLines(path), QStringList());
}

TEST(TextFile, EveryHighByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0x20; b <= 0xFF; ++b)
        all += char(b);
    const QString text = TextFile::fromWindows1252(all);
    ASSERT_EQ(text.size(), all.size());
    EXPECT_EQ(text[0x80 - 0x20], QChar(0x20AC)); // euro sign
    EXPECT_EQ(text[0x9F - 0x20], QChar(0x0178));
    EXPECT_EQ(text[0xE4 - 0x20], QChar(0x00E4)); // a umlaut
    EXPECT_EQ(TextFile::toWindows1252(text), all);

    QTemporaryDir dir;
    const QString path = dir.filePath("bytes.txt");
    TextFile::writeLines(path, {text});
    EXPECT_EQ(fileBytes(path), all + "\r\n");
    EXPECT_EQ(TextFile::readLines(path), QStringList{text});
}

TEST(TextFile, UnmappableCharactersBecomeQuestionMarks) {
    // One "?" per character, also for one outside the basic plane.
    EXPECT_EQ(TextFile::toWindows1252(QString::fromUtf8("a\u4e2db\U0001F600c\u20ac")),
              QByteArray("a?b?c\x80"));
}

TEST(TextFile, FailuresNameTheFileAndKeepTheOldContents) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("nothing.txt");
    try {
        TextFile::readLines(missing);
        FAIL() << "no error";
    } catch (const ZorlError& e) {
        EXPECT_TRUE(e.text().contains("nothing.txt")) << e.what();
    }

    // A write that fails half way (the file size limit stands in for a
    // full disk, and binds root too) leaves the existing file as it was.
    const QString path = dir.filePath("complist.txt");
    putBytes(path, "old\r\n");
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        TextFile::writeLines(path, {QString(1000, 'x')});
    } catch (const ZorlError& e) {
        threw = true;
        EXPECT_TRUE(e.text().contains("complist.txt")) << e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_TRUE(threw);
    EXPECT_EQ(fileBytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"complist.txt"});
}

TEST(TextFile, WriteIntoMissingFolderFails) {
    QTemporaryDir dir;
    EXPECT_THROW(TextFile::writeLines(dir.filePath("no/such/folder/x.txt"), {"a"}), ZorlError);
}
