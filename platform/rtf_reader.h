#pragma once

#include <QString>

#include <string_view>

class QTextDocument;

// Reads the rich text that word processors write (RTF) into a text document:
// groups, paragraphs (\par), line breaks, bold, italic, underline, font size
// (\fs), colour (\cf with the colour table), GBK bytes written as \'hh or
// raw, and \uN characters. Other destinations (fonts, styles, pictures,
// document information) are left out; unknown control words are skipped.
// Any bytes are safe: a damaged or truncated file gives what could be read.
void readRtf(std::string_view bytes, QTextDocument& document);

// Reads an RTF file into a document. Throws UserError naming the file (full
// path) when it cannot be read, is not a regular file or is larger than
// kMaxRtfFileBytes (refused by its size, so the viewer opens at once).
void readRtfFile(const QString& path, QTextDocument& document);
inline constexpr qint64 kMaxRtfFileBytes = 256 * 1024;
