#include "FieldSplitter.h"

#include <gtest/gtest.h>

#include <vector>

using kyvo::FieldSplitter;

namespace {

std::vector<std::string> allFields(std::string_view text, char separator, std::size_t maxLength = std::string::npos) {
    FieldSplitter splitter(text, separator);
    std::vector<std::string> fields;
    std::string field;
    while (splitter.next(field, maxLength))
        fields.push_back(field);
    return fields;
}

} // namespace

TEST(FieldSplitter, SplitsNmeaSentenceAndStopsAtChecksum) {
    const auto fields =
        allFields("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A", ',');
    ASSERT_EQ(fields.size(), 13u);
    EXPECT_EQ(fields[0], "$GPRMC");
    EXPECT_EQ(fields[1], "123519");
    EXPECT_EQ(fields[9], "230394");
    EXPECT_EQ(fields[11], "W");  // ends at "*"
    EXPECT_EQ(fields[12], "6A"); // the checksum follows as a field of its own
}

TEST(FieldSplitter, EmptyFieldsTrailingSeparatorAndStarInsideField) {
    EXPECT_EQ(allFields("2?21?0?0?????128?", '?'),
              (std::vector<std::string>{"2", "21", "0", "0", "", "", "", "", "128"}));
    // A field ends at "*"; the rest of it is read as the next field.
    EXPECT_EQ(allFields("ab*cd?e", '?'), (std::vector<std::string>{"ab", "cd", "e"}));
    EXPECT_TRUE(allFields("", '?').empty());
}

TEST(FieldSplitter, StopsAtNulAndCutsLongFields) {
    const std::string withNul("12?34\0?99", 9);
    EXPECT_EQ(allFields(withNul, '?'), (std::vector<std::string>{"12", "34"}));
    EXPECT_EQ(allFields(std::string(1000, 'x') + "?y", '?', 11), (std::vector<std::string>{std::string(11, 'x'), "y"}));
}

TEST(FieldSplitter, RestIsWhatRemains) {
    FieldSplitter splitter("a?b?c?d", '?');
    EXPECT_TRUE(splitter.skip());
    EXPECT_TRUE(splitter.skip());
    EXPECT_EQ(splitter.rest(), "c?d");
    std::string field;
    EXPECT_TRUE(splitter.next(field));
    EXPECT_TRUE(splitter.next(field));
    EXPECT_EQ(field, "d");
    EXPECT_TRUE(splitter.exhausted());
    EXPECT_FALSE(splitter.next(field));
    EXPECT_TRUE(field.empty());
}
