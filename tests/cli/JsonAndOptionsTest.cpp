#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliOptions.h"
#include "cli/JsonWriter.h"
#include "library/MacTime.h"

namespace {

TEST(MacTime, ShowsTheStoredTimeAsUtc) {
    const std::pair<uint32_t, const char*> cases[] = {
        {1, "1904-01-01T00:00:01Z"},           {2082844800u, "1970-01-01T00:00:00Z"},
        {2082844799u, "1969-12-31T23:59:59Z"}, {3034627200u, "2000-02-29T00:00:00Z"},
        {3682844800u, "2020-09-13T12:26:40Z"}, {UINT32_MAX, "2040-02-06T06:28:15Z"},
    };
    for (const auto& [macTime, text] : cases)
        EXPECT_EQ(MacTimeIso8601(macTime), text) << macTime;
}

TEST(JsonQuote, EscapesControlsAndRepairsBrokenText) {
    EXPECT_EQ(JsonQuote("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(JsonQuote("tab\there\nnl\x01\x1f"), R"("tab\there\nnl\u0001\u001f")");
    EXPECT_EQ(JsonQuote("caf\xC3\xA9 \xF0\x9F\x98\x80"), "\"caf\xC3\xA9 \xF0\x9F\x98\x80\"");
    EXPECT_EQ(JsonQuote("bad\xFFz"), "\"bad\xEF\xBF\xBDz\"");
}

TEST(JsonArrayWriter, NullTextStaysApartFromEmptyAndLoneSurrogatesAreReplaced) {
    std::ostringstream out;
    {
        JsonArrayWriter json(out);
        json.BeginObject();
        json.TextField("a", static_cast<const char16_t*>(nullptr));
        json.TextField("b", u"");
        json.TextField("c", u"x\xD800y");
        json.EndObject();
    }
    EXPECT_EQ(out.str(), "[\n  {\"a\": null, \"b\": \"\", \"c\": \"x\xEF\xBF\xBDy\"}\n]\n");
}

TEST(JsonArrayWriter, ObjectsComeOutWholeAndApart) {
    std::ostringstream out;
    {
        JsonArrayWriter json(out);
        json.BeginObject();
        json.NumberField("n", -12);
        json.BoolField("b", true);
        json.EndObject();
        EXPECT_EQ(out.str(), "[\n  {\"n\": -12, \"b\": true}");
        json.BeginObject();
        json.NumberField("n", INT64_MAX);
        json.TextField("p", std::string_view("/a\"b"));
        json.EndObject();
    }
    EXPECT_EQ(out.str(), "[\n  {\"n\": -12, \"b\": true},\n  {\"n\": 9223372036854775807, "
                         "\"p\": \"/a\\\"b\"}\n]\n");
    std::ostringstream empty;
    { JsonArrayWriter json(empty); }
    EXPECT_EQ(empty.str(), "[]\n");
}

TEST(CliOptions, ParsesValuesFlagsAndRejectsTheRest) {
    const std::vector<OptionSpec> specs = {{"device", true}, {"json"}};
    ParsedOptions parsed;
    std::string error;
    ASSERT_TRUE(ParseOptions({"--device", "/m/x", "--json"}, specs, parsed, error));
    EXPECT_EQ(parsed.Get("device"), "/m/x");
    EXPECT_TRUE(parsed.Has("json"));

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--device"}, {"--json=1"}, {"--nope"}, {"x"}, {"--"}}) {
        ParsedOptions p;
        EXPECT_FALSE(ParseOptions(bad, specs, p, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(CliOptions, IndexIsAPlainNonNegativeNumber) {
    int32_t value = -1;
    EXPECT_TRUE(ParseIndex("0", value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(ParseIndex("2147483647", value));
    EXPECT_EQ(value, INT32_MAX);
    for (const char* bad : {"", "-1", "+1", "1x", "2147483648", "99999999999"})
        EXPECT_FALSE(ParseIndex(bad, value)) << bad;
}

} // namespace
