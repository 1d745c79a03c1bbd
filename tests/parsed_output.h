// SPDX-License-Identifier: GPL-3.0-or-later
// The program's JSON and CSV outputs as documents: the tests read what a script would, through
// Qt's JSON parser (not the library that writes them) and an RFC 4180 reader.
#pragma once

#include <QJsonDocument>
#include <QJsonParseError>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vesk::testing {

// The document of a JSON text; a test failure naming the error where it does not parse.
inline QJsonDocument parsedJson(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError)
        << error.errorString().toStdString() << " at " << error.offset << " in " << text;
    return document;
}

// The records of a CSV text (RFC 4180: quoted fields may hold commas, doubled quotes and line
// breaks; records end with CR LF); a test failure where a record does not end so or a quote is
// left open.
inline std::vector<std::vector<std::string>> parsedCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> record;
    std::string field;
    bool quoted = false, closed = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == ',') {
            record.push_back(std::move(field));
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            record.push_back(std::move(field));
            field.clear();
            records.push_back(std::move(record));
            record.clear();
            ++i;
        } else {
            EXPECT_NE(c, '\n') << "a bare line feed ends a record in " << text;
            field += c;
        }
        closed = !quoted && field.empty() && record.empty();
    }
    EXPECT_TRUE(closed) << "the last record is not ended by CR LF in " << text;
    return records;
}

} // namespace vesk::testing
