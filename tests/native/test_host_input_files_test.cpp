// The test host's input files: play rows and sample blocks, with the line
// of the first bad entry.
#include <gtest/gtest.h>

#include <string>

#include "test_host/play/play_file.h"
#include "test_host/play/samples_file.h"
#include "test_host/text/text_encoding.h"

namespace {

TEST(TestHostPlayFile, RowsHeaderCommentsAndCards) {
  const char text[] =
      "time_ms,channel,value,card\r\n"
      "# a running light\r\n"
      "\r\n"
      "0,1,65535\r\n"
      " 100 , 9 , 5100 , 3 \r\n"
      "100,10,0";  // no line end after the last row
  std::vector<TPlayRow> rows;
  std::string error;
  ASSERT_TRUE(ParsePlayFile(text, 2, rows, error)) << error;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].TimeMs, 0);
  EXPECT_EQ(rows[0].Channel, 1);
  EXPECT_EQ(rows[0].Value, 65535);
  EXPECT_EQ(rows[0].Card, 2);  // the default card
  EXPECT_EQ(rows[0].Line, 4);
  EXPECT_EQ(rows[1].TimeMs, 100);
  EXPECT_EQ(rows[1].Channel, 9);
  EXPECT_EQ(rows[1].Value, 5100);
  EXPECT_EQ(rows[1].Card, 3);
  EXPECT_EQ(rows[2].Line, 6);
}

TEST(TestHostPlayFile, FirstBadRowNamesItsLine) {
  const struct {
    const char* Text;
    const char* Error;
  } cases[] = {
      {"", "no rows to play"},
      {"time_ms,channel,value\n# nothing\n", "no rows to play"},
      {"0,1,1\n10,1\n", "line 2: expected time_ms,channel,value[,card] but found 2 fields"},
      {"0,1,1,1,1\n", "line 1: expected time_ms,channel,value[,card] but found 5 fields"},
      {"0,1,1\n\n5,0,1\n", "line 3: channel \"0\" is not a whole number from 1 to 10"},
      {"0,11,1\n", "line 1: channel \"11\" is not a whole number from 1 to 10"},
      {"0,1,70000\n", "line 1: value \"70000\" is not a whole number from 0 to 65535"},
      {"0,1,1,5\n", "line 1: card \"5\" is not a whole number from 1 to 4"},
      {"-5,1,1\n", "line 1: time_ms \"-5\" is not a whole number from 0 to 86400000"},
      {"0,1,1\n1.5,1,1\n", "line 2: time_ms \"1.5\" is not a whole number from 0 to 86400000"},
      {"0,1,,\n", "line 1: value \"\" is not a whole number from 0 to 65535"},
      {"200,1,1\n100,1,0\n", "line 2: time_ms 100 is earlier than the row before (200)"},
      {"0,1,1\ntime_ms,channel,value\n", "line 2: time_ms \"time_ms\" is not a whole number from 0 to 86400000"},
  };
  for (const auto& c : cases) {
    std::vector<TPlayRow> rows;
    std::string error;
    EXPECT_FALSE(ParsePlayFile(c.Text, 1, rows, error)) << c.Text;
    EXPECT_EQ(error, c.Error) << c.Text;
  }
}

TEST(TestHostPlayFile, AsEditorsOnWindowsWriteIt) {
  // A UTF-8 byte order mark, a header in another case.
  std::vector<TPlayRow> rows;
  std::string error;
  ASSERT_TRUE(ParsePlayFile("\xEF\xBB\xBFTime_ms,Channel,Value\r\n0,1,1\r\n", 1, rows, error)) << error;
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].Line, 2);
  ASSERT_TRUE(ParsePlayFile("\xEF\xBB\xBF" "0,2,1\n", 1, rows, error)) << error;
  EXPECT_EQ(rows[0].Channel, 2);

  // Error lines quote at most 60 characters of a field, and count in words.
  EXPECT_FALSE(ParsePlayFile("0,1," + std::string(5000, '9') + "\n", 1, rows, error));
  EXPECT_EQ(error, "line 1: value \"" + std::string(60, '9') + "...\" is not a whole number from 0 to 65535");
  EXPECT_FALSE(ParsePlayFile("0\n", 1, rows, error));
  EXPECT_EQ(error, "line 1: expected time_ms,channel,value[,card] but found 1 field");
  std::vector<uint16_t> samples;
  EXPECT_FALSE(ParseSamples("\xEF\xBB\xBF" "7", samples, error));
  EXPECT_EQ(error, "holds 1 value, not 1024");
}

TEST(TestHostPlayFile, AsASpreadsheetSavesItWithSemicolons) {
  // The first line not skipped decides; a comma is then part of a field.
  std::vector<TPlayRow> rows;
  std::string error;
  ASSERT_TRUE(ParsePlayFile("# from a spreadsheet\r\ntime_ms;channel;value;card\r\n0;1;65535;2\r\n250;9;5100\r\n", 1,
                            rows, error))
      << error;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Card, 2);
  EXPECT_EQ(rows[1].TimeMs, 250);
  EXPECT_EQ(rows[1].Value, 5100);
  ASSERT_TRUE(ParsePlayFile("0;10;20\n", 1, rows, error)) << error;
  EXPECT_EQ(rows[0].Value, 20);

  const struct {
    const char* Text;
    const char* Error;
  } cases[] = {
      {"0;1;1\n10;9;2,5\n", "line 2: value \"2,5\" is not a whole number from 0 to 65535"},
      {"0;1;1\n10,1,1\n", "line 2: expected time_ms;channel;value[;card] but found 1 field"},
      {"0,1,1\n10;1;1\n", "line 2: expected time_ms,channel,value[,card] but found 1 field"},
      {"0,5;1;1\n", "line 1: time_ms \"0,5\" is not a whole number from 0 to 86400000"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(ParsePlayFile(c.Text, 1, rows, error)) << c.Text;
    EXPECT_EQ(error, c.Error) << c.Text;
  }
}

TEST(TestHostTextFile, Utf16IsReadAsUtf8AndOtherBinaryIsNamed) {
  const std::string utf8 = "time_ms,channel,value\r\n0,1,1 # \xC5\x82\xF0\x9F\x98\x80\r\n";  // "ł", an emoji
  const char units[] =
      "t\0i\0m\0""e\0_\0m\0s\0,\0""c\0h\0""a\0n\0n\0""e\0l\0,\0v\0""a\0l\0u\0""e\0\r\0\n\0"
      "0\0,\0""1\0,\0""1\0 \0#\0 \0\x42\x01\x3D\xD8\x00\xDE\r\0\n\0";
  const std::string littleEndian(units, sizeof(units) - 1);
  std::string bigEndian;
  for (size_t i = 0; i < littleEndian.size(); i += 2) bigEndian += {littleEndian[i + 1], littleEndian[i]};
  const struct {
    const char* Name;
    std::string Bytes;
  } utf16[] = {
      {"little-endian with its mark", "\xFF\xFE" + littleEndian},
      {"big-endian with its mark", "\xFE\xFF" + bigEndian},
      {"little-endian without", littleEndian},
      {"big-endian without", bigEndian},
  };
  for (const auto& c : utf16) {
    std::string text = c.Bytes, problem;
    EXPECT_TRUE(DecodeTextFile(text, problem)) << c.Name;
    EXPECT_EQ(text, utf8) << c.Name;
  }

  std::string text = "\xFF\xFE" + littleEndian.substr(0, 10) + std::string("\x00\xD8", 2) + "1";  // a lone surrogate, an odd byte
  std::string problem;
  EXPECT_TRUE(DecodeTextFile(text, problem));
  EXPECT_EQ(text, "time_\xEF\xBF\xBD\xEF\xBF\xBD");
  for (std::string same : {utf8, std::string("0,1,\xE9t\xE9\n"), std::string()}) {  // UTF-8, ANSI, empty
    const std::string before = same;
    EXPECT_TRUE(DecodeTextFile(same, problem));
    EXPECT_EQ(same, before);
  }
  std::string workbook("PK\x03\x04\x14\x00\x06\x00", 8);
  EXPECT_FALSE(DecodeTextFile(workbook, problem));
  EXPECT_EQ(problem, "is not a text file (it holds NUL bytes): save a spreadsheet as CSV");
}

TEST(TestHostSamplesFile, ExactlyOneBlockOfValues) {
  std::string text;
  for (int i = 0; i < 1024; ++i) text += std::to_string(i * 64) + (i % 16 == 15 ? "\r\n" : i % 2 ? ", " : " \t");
  std::vector<uint16_t> samples;
  std::string error;
  ASSERT_TRUE(ParseSamples(text, samples, error)) << error;
  ASSERT_EQ(samples.size(), 1024u);
  EXPECT_EQ(samples[0], 0);
  EXPECT_EQ(samples[1023], 1023 * 64);

  EXPECT_FALSE(ParseSamples(text + "7", samples, error));
  EXPECT_EQ(error, "holds 1025 values, not 1024");
  EXPECT_FALSE(ParseSamples("", samples, error));
  EXPECT_EQ(error, "holds 0 values, not 1024");
  EXPECT_FALSE(ParseSamples("1 2\n3 x4\n", samples, error));
  EXPECT_EQ(error, "line 2: value \"x4\" is not a whole number from 0 to 65535");
}

}  // namespace
