// The header transform and the key of scrambled recordings: against what the
// real recgen writes with --scrambled (each key restores its recording to the
// plain twin recgen writes without it, read whole or in pieces), and the
// passwords a user may type.

#include "RecordingScramble.h"
#include "TelemetryBox.h"

#include "ProcessRunner.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>

namespace kyvo::scramble {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::span<const std::uint8_t, kHeaderSize> headerOf(const Bytes& bytes) {
    return std::span(bytes).first<kHeaderSize>();
}

// One second of a small drive, always the same one: MJPEG pictures and a
// fixed seed make recgen write the same bytes on every run.
void runRecgen(const std::filesystem::path& file, std::optional<std::uint32_t> key) {
    std::vector<std::string> arguments{KYVO_RECGEN_PATH, "--codec", "mjpeg", "--no-audio", "--length", "1",
                                       "--size", "160x90"};
    if (key) {
        arguments.push_back("--scrambled");
        arguments.push_back("0x" + keyText(*key));
    }
    arguments.push_back(file.string());
    const recgen::ProcessResult result = recgen::runProcess(arguments);
    ASSERT_TRUE(result.succeeded()) << result.startError << result.errors;
}

class RecgenScrambleTest : public testing::TestWithParam<std::uint32_t> {};

TEST_P(RecgenScrambleTest, TheKeyRestoresRecgensRecordingToItsPlainTwin) {
    const std::uint32_t key = GetParam();
    const test::TempFolder folder;
    std::filesystem::create_directories(folder / "plain");
    std::filesystem::create_directories(folder / "scrambled");
    const auto plainFile = folder / "plain" / "drf_20240612_081500.mov";
    const auto scrambledFile = folder / "scrambled" / "drf_20240612_081500.mov";
    ASSERT_NO_FATAL_FAILURE(runRecgen(plainFile, std::nullopt));
    ASSERT_NO_FATAL_FAILURE(runRecgen(scrambledFile, key));
    const Bytes plain = readBytes(plainFile);
    const Bytes scrambled = readBytes(scrambledFile);
    ASSERT_EQ(plain.size(), scrambled.size());
    ASSERT_GT(plain.size(), 64u);
    ASSERT_TRUE(std::equal(plain.begin() + kHeaderSize, plain.end(), scrambled.begin() + kHeaderSize))
        << "recgen should write the same recording twice but for its header";

    EXPECT_TRUE(keyRestoresFirstBox(headerOf(scrambled), key));
    for (const std::uint32_t wrong : {key ^ 1u, key ^ 0x80000000u, ~key})
        EXPECT_FALSE(keyRestoresFirstBox(headerOf(scrambled), wrong)) << std::hex << wrong;
    EXPECT_FALSE(keyRestoresFirstBox(headerOf(plain), key)) << "a plain recording is not scrambled";

    // A stream restores it as mpv reads it: in pieces that split the header
    // anywhere, and reads beyond it that must stay as they are.
    Bytes restored = scrambled;
    std::size_t offset = 0;
    for (const std::size_t piece : {std::size_t{3}, std::size_t{1}, std::size_t{6}, restored.size() - 10}) {
        transformHeader(std::span(restored).subspan(offset, piece), offset, key);
        offset += piece;
    }
    EXPECT_EQ(restored, plain);

    // The telemetry reader takes the same box out of both, and knows a wrong key.
    std::vector<std::uint8_t> fromPlain;
    std::vector<std::uint8_t> fromScrambled;
    ASSERT_EQ(player::readTelemetryBox(plainFile.string(), player::ViewMode::General, 0, fromPlain),
              player::kTelemetryCopied);
    ASSERT_EQ(player::readTelemetryBox(scrambledFile.string(), player::ViewMode::Encrypted, key, fromScrambled),
              player::kTelemetryCopied);
    EXPECT_EQ(fromScrambled, fromPlain);
    EXPECT_EQ(player::readTelemetryBox(scrambledFile.string(), player::ViewMode::Encrypted, key ^ 1u, fromScrambled),
              player::kKeyMismatch);
    EXPECT_TRUE(fromScrambled.empty());
}

// The lowest bit alone, the highest bit alone (the size's sign in a signed
// word) and every bit.
INSTANTIATE_TEST_SUITE_P(Keys, RecgenScrambleTest, testing::Values(0x00000001u, 0x80000000u, 0xFFFFFFFFu),
                         [](const testing::TestParamInfo<std::uint32_t>& key) { return "Key" + keyText(key.param); });

TEST(KeyTest, PasswordsThatAreKeysAndThoseThatAreNot) {
    const struct Case {
        const char* password;
        std::optional<std::uint32_t> key;
    } cases[] = {
        {"1", 1u},
        {"00000001", 1u},
        {"80000000", 0x80000000u},
        {"FFFFFFFF", 0xFFFFFFFFu},
        {"ffffffff", 0xFFFFFFFFu},
        {"5a17C0dE", 0x5A17C0DEu},
        {"", std::nullopt},
        {"0", std::nullopt},
        {"00000000", std::nullopt},
        {"123456789", std::nullopt}, // nine digits
        {"000000001", std::nullopt}, // nine characters, even with a small value
        {"12G4", std::nullopt},
        {" 12", std::nullopt},
        {"12 ", std::nullopt},
        {"0x12", std::nullopt},
        {"-1", std::nullopt},
        {"+1", std::nullopt},
        {"\xEF\xBC\x91", std::nullopt}, // a full-width "1"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.password);
        EXPECT_EQ(parseKey(c.password), c.key);
        if (c.key) {
            EXPECT_EQ(parseKey(keyText(*c.key)), c.key) << "the password shown for a key gives the key back";
        }
    }
    EXPECT_EQ(keyText(0x0000ABCDu), "ABCD");
    EXPECT_EQ(keyText(0x80000000u), "80000000");
    EXPECT_EQ(keyText(0), "");
}

} // namespace
} // namespace kyvo::scramble
