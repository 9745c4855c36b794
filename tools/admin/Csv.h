#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated files as spreadsheets write them: UTF-8 with or without a byte-order mark,
// CRLF or LF line ends, fields in double quotes where they hold commas, quotes (doubled) or
// line breaks.
namespace admin::csv {

struct Record {
    int line = 0; // the file's line on which the record starts, counting from 1
    QStringList fields;
};

struct Table {
    Record header;
    QList<Record> records; // blank lines left out
};

// Empty text on success, otherwise the line and what is wrong there (bytes that are not UTF-8,
// a quoted field that never ends, text after a closing quote).
QString parse(const QByteArray& bytes, Table* table);

// One record a line, CRLF ends, quotes only where a field needs them.
QByteArray write(const QStringList& header, const QList<QStringList>& records);

} // namespace admin::csv
