// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_record.h"
#include "json_values.h"
#include "parsed_output.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace vesk;

// Fields with commas, quotes and line breaks (a place name in a list) read back whole through an
// RFC 4180 reader; a plain field is not quoted.
TEST(Records, CsvFieldsReadBackWhole) {
    const std::vector<std::string> fields = {"Springfield, MO", "the \"Hill\"", "two\r\nlines", "",
                                             "0.9105"};
    const std::string text = csvRecord(fields) + csvRecord({"a"});
    EXPECT_EQ(vesk::testing::parsedCsv(text),
              (std::vector<std::vector<std::string>>{fields, {"a"}}));
    EXPECT_EQ(csvRecord({"2024-04-08", "total"}), "2024-04-08,total\r\n");
}

// Numbers read back as the value rounded to the printed decimals, with no negative zero and null
// for what is not a number; names that are not UTF-8 do not stop the document.
TEST(Records, JsonNumbersAreRoundedAndNamesAlwaysWritten) {
    const Json document{
        {"magnitude", roundedJson(1.056549, 4)}, {"tiny", roundedJson(-0.00004, 4)},
        {"nan", roundedJson(std::nan(""), 2)},   {"none", roundedJson(std::optional<double>(), 2)},
        {"jd", roundedJson(2460409.2620694, 6)}, {"name", std::string("Bad\xFFTown \"x\"")}};
    const QJsonObject read = vesk::testing::parsedJson(jsonText(document)).object();
    EXPECT_EQ(read["magnitude"].toDouble(), 1.0565);
    EXPECT_EQ(jsonText(document["tiny"]), "0.0");
    EXPECT_TRUE(read["nan"].isNull());
    EXPECT_TRUE(read["none"].isNull());
    EXPECT_EQ(read["jd"].toDouble(), 2460409.262069);
    EXPECT_EQ(read["name"].toString(), QString::fromUtf8("Bad\xEF\xBF\xBDTown \"x\""));
    EXPECT_EQ(read.keys().size(), 6);
    EXPECT_EQ(jsonText(document).rfind("{\"magnitude\"", 0), 0u) << "members in the order given";
}
