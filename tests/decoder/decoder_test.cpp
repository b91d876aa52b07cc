// The BGL decoder on files written by the fixture writer: the encodings against hand-worked
// values, one decoded record of each kind, each option, and damaged files refused with the
// offset of the damage.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <functional>
#include <string>
#include <vector>

#include "bgl_writer.h"
#include "core/bgl_decode.h"

namespace {

struct Decoded {
    bool ok;
    DecodeResult result;
    std::string xml;
    std::vector<std::string> notes;
};

void KeepXml(void *context, const char *bytes, size_t count)
{
    static_cast<Decoded *>(context)->xml.append(bytes, count);
}

void KeepNote(void *context, const char *line)
{
    static_cast<Decoded *>(context)->notes.push_back(line);
}

Decoded Decode(const std::string &bytes, DecodeOptions options = DecodeOptions())
{
    Decoded run;
    DecodeOutput output = {&run, KeepXml, KeepNote};
    // An exact-size heap copy, so a read past the end is caught by AddressSanitizer.
    std::vector<unsigned char> copy(bytes.begin(), bytes.end());
    run.ok = DecodeBgl(copy.data(), copy.size(), options, output, &run.result);
    return run;
}

bool Contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

TEST(BglEncodings, WorkedValues)
{
    // "ABCD" = ((12 * 38 + 13) * 38 + 14) * 38 + 15 = 677783, stored shifted left by 5 bits.
    EXPECT_EQ(0x014AF2E0u, PackIdent("ABCD") << 5);
    EXPECT_EQ("ABCD", BglIdent(0x014AF2E0u >> 5));
    EXPECT_EQ("LK", BglIdent(0x380)); // L = 23, K = 22: 23 * 38 + 22
    EXPECT_EQ("K1 9", BglIdent(PackIdent("K1 9")));
    const struct {
        uint32_t raw;
        double latitude, longitude;
    } coordinates[] = {{0, 90.0, -180.0}, {0x10000000, 0.0, -60.0}, {0x18000000, -45.0, 0.0}, {0x20000000, -90.0, 60.0}};
    for (const auto &c : coordinates) {
        EXPECT_DOUBLE_EQ(c.latitude, BglLatitude(c.raw)) << c.raw;
        EXPECT_DOUBLE_EQ(c.longitude, BglLongitude(c.raw)) << c.raw;
    }
}

TEST(BglEncodings, CoordinateTextGivesBackTheStoredInteger)
{
    for (uint32_t raw = 12345; raw < 0x20000000; raw += 7654321) {
        for (bool latitude : {true, false}) {
            std::string text;
            AppendCoordinate(text, raw, latitude);
            double degrees = atof(text.c_str());
            EXPECT_EQ(raw, latitude ? RawLatitude(degrees) : RawLongitude(degrees)) << text;
        }
    }
    std::string text;
    AppendCoordinate(text, RawLatitude(50.1), true);
    EXPECT_EQ("50.1", text);
}

TEST(BglDecode, OneRecordOfEachKind)
{
    Decoded run = Decode(WriteBgl(SampleRecords()));
    ASSERT_TRUE(run.ok) << run.result.error;
    for (const char *part : {
             "<FSData version=\"9.0\"",
             "<Waypoint lat=\"50.1\" lon=\"14.2\" waypointType=\"NAMED\" magvar=\"0\" waypointRegion=\"LK\" "
             "waypointIdent=\"ABCD\"/>",
             "<Airport region=\"LK\" name=\"Sample Field\" lat=\"50.1\" lon=\"14.2\" alt=\"380\" magvar=\"-4\" "
             "ident=\"LKSF\">",
             "<Runway lat=\"50.1\" lon=\"14.2\" alt=\"380\" surface=\"ASPHALT\" heading=\"62.5\" length=\"3715\" "
             "width=\"45\" number=\"06\" designator=\"NONE\" patternAltitude=\"300\"/>",
             "<Start type=\"RUNWAY\" lat=\"50.09\" lon=\"14.18\" alt=\"380\" heading=\"62.5\" number=\"06\" "
             "designator=\"NONE\"/>",
             "<Com frequency=\"118.1\" type=\"TOWER\" name=\"Sample Tower\"/>",
             "<Helipad lat=\"50.11\" lon=\"14.21\" alt=\"381\" surface=\"CONCRETE\" heading=\"0\" length=\"20\" "
             "width=\"20\" type=\"H\" transparent=\"FALSE\" closed=\"FALSE\"/>",
             "<Vor lat=\"50.2\" lon=\"14.3\" alt=\"300\" type=\"HIGH\" frequency=\"113.9\" range=\"240760\" "
             "magvar=\"-4\" region=\"LK\" ident=\"SFV\" name=\"Sample VOR\" dme=\"TRUE\" nav=\"TRUE\" "
             "dmeOnly=\"FALSE\">\r\n    <Dme lat=\"50.2\" lon=\"14.3\" alt=\"300\" range=\"240760\"/>\r\n  </Vor>",
             "<Ndb lat=\"50\" lon=\"14\" alt=\"250\" type=\"H\" frequency=\"344\" range=\"46300\" magvar=\"-4\" "
             "region=\"LK\" ident=\"SF\" name=\"Sample NDB\"/>",
             "</FSData>\r\n"})
        EXPECT_TRUE(Contains(run.xml, part)) << part << " in\n" << run.xml;
    EXPECT_EQ("written: 1 airports, 1 runways, 1 starts, 1 COM, 1 helipads, 1 waypoints, 1 VOR, 0 ILS, 1 NDB; "
              "skipped: 1 records, 1 sections, 0 outside the radius",
              DecodeSummary(run.result));
    for (const char *note : {"section 4: type 0x25 (scenery objects), 1 subsections in 16 bytes, skipped",
                             "skipped 1 records of id 0x001A in sections of type 0x3, 10 bytes"})
        EXPECT_NE(run.notes.end(), std::find(run.notes.begin(), run.notes.end(), note)) << note;
}

TEST(BglDecode, OtherAirportLayoutsAndIls)
{
    std::string runway = RunwayChild(0, 24, 1, {48.0, 2.0, 100}, 2000, 30, 240, 0);
    std::string ils = NavRecord(0x13, 4, 0x04, 110300000, {48.0, 2.0, 100}, 27780, 1, "IPA", "LF",
                                Framed(0x14, std::string{24, 1} + Float32(240.5f) + Float32(5)));
    Decoded run = Decode(WriteBgl({{0x03, AirportRecord(0x0003, {48, 2, 100}, 1, "LFPO", "LF", runway)},
                               {0x03, AirportRecord(0x0113, {49, 3, 90}, 1, "LFPG", "LF", "")},
                               {0x13, ils}}));
    ASSERT_TRUE(run.ok) << run.result.error;
    for (const char *part : {"ident=\"LFPO\">\r\n    <Runway", "number=\"24\" designator=\"LEFT\"",
                             "<Airport region=\"LF\" lat=\"49\" lon=\"3\" alt=\"90\" magvar=\"1\" ident=\"LFPG\"/>",
                             "<Ils lat=\"48\" lon=\"2\" alt=\"100\" heading=\"240.5\" frequency=\"110.3\" "
                             "range=\"27780\" magvar=\"1\" region=\"LF\" ident=\"IPA\" width=\"5\" backCourse=\"TRUE\"/>"})
        EXPECT_TRUE(Contains(run.xml, part)) << part << " in\n" << run.xml;
}

TEST(BglDecode, Options)
{
    DecodeOptions feet = {}, dms = {}, miles = {}, quiet = {}, near = {}, negative = {};
    feet.feet = dms.dms = miles.miles = quiet.quiet = true;
    near = {false, false, false, false, true, 5, 50.0, 14.0};  // 5 nm: only the NDB at 50 N 14 E
    negative = {false, false, false, false, true, -5, 50.0, 14.0}; // taken as 0, not as 5
    const struct {
        const char *name;
        DecodeOptions options;
        std::vector<std::string> present, absent;
    } cases[] = {
        {"feet", feet, {"alt=\"1246.719F\"", "patternAltitude=\"984.252F\""}, {"alt=\"380\""}},
        {"dms", dms, {"lat=\"N50\xB0 06' 00&quot;\" lon=\"E014\xB0 12' 00&quot;\""}, {"lat=\"50.1\""}},
        {"miles", miles, {"range=\"149.601\"", "length=\"3715\""}, {"range=\"240760\""}},
        {"radius", near, {"<Ndb"}, {"<Airport", "<Waypoint", "<Vor"}},
        {"negative radius", negative, {"</FSData>"}, {"<Ndb", "<Airport"}},
    };
    for (const auto &c : cases) {
        Decoded run = Decode(WriteBgl(SampleRecords()), c.options);
        ASSERT_TRUE(run.ok) << c.name;
        for (const std::string &part : c.present)
            EXPECT_TRUE(Contains(run.xml, part)) << c.name << ": " << part << " in\n" << run.xml;
        for (const std::string &part : c.absent)
            EXPECT_FALSE(Contains(run.xml, part)) << c.name << ": " << part;
    }
    EXPECT_EQ(3ul, Decode(WriteBgl(SampleRecords()), near).result.outside);
    EXPECT_TRUE(Decode(WriteBgl(SampleRecords()), quiet).notes.empty());
    EXPECT_FALSE(Decode(WriteBgl(SampleRecords())).notes.empty());
}

void Put32(std::string &bytes, size_t at, uint32_t value)
{
    bytes.replace(at, 4, Le32(value));
}

TEST(BglDecode, DamagedFilesAreRefusedAtTheDamage)
{
    const std::string good = WriteBgl({{0x22, WaypointRecord(1, {1, 2, 0}, 0, "A", "B")}});
    const size_t record = good.size() - 28; // the one record, after one pointer and one entry
    const struct {
        const char *name;
        std::function<void(std::string &)> damage;
        size_t offset;
        const char *says;
    } cases[] = {
        {"truncated header", [](std::string &b) { b.resize(40); }, 40, "truncated header"},
        {"not a BGL file", [](std::string &b) { b[0] = 'M'; }, 0, "not a BGL file"},
        {"too many sections", [](std::string &b) { Put32(b, 0x14, 5); }, 0x14, "5 sections"},
        {"section past the end", [](std::string &b) { Put32(b, 0x38 + 12, 0x1000); }, 0x38 + 12, "past the end"},
        {"too many subsections", [](std::string &b) { Put32(b, 0x38 + 8, 2); }, 0x38 + 8, "2 subsections"},
        {"data past the end", [](std::string &b) { Put32(b, 0x4C + 12, 29); }, 0x4C + 8, "past the end"},
        {"record count too large", [](std::string &b) { Put32(b, 0x4C + 4, 5); }, 0x4C + 4, "5 records"},
        {"record size 0", [=](std::string &b) { Put32(b, record + 2, 0); }, record + 2, "size 0"},
        {"record past its data", [=](std::string &b) { Put32(b, record + 2, 29); }, record + 2, "runs past"},
        {"record too short", [=](std::string &b) { Put32(b, record + 2, 20); }, record + 2, "layout needs 28"},
    };
    ASSERT_TRUE(Decode(good).ok);
    for (const auto &c : cases) {
        std::string bytes = good;
        c.damage(bytes);
        Decoded run = Decode(bytes);
        EXPECT_FALSE(run.ok) << c.name;
        EXPECT_EQ(c.offset, run.result.errorOffset) << c.name << ": " << run.result.error;
        EXPECT_TRUE(Contains(run.result.error, c.says)) << c.name << ": " << run.result.error;
        EXPECT_TRUE(Contains(run.result.error, "offset")) << c.name << ": " << run.result.error;
    }
}

} // namespace
