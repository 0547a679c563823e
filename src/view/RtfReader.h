#pragma once
#include <QByteArray>
#include <QString>

class QTextDocument;

// A reader for the rich-text subset the program's own help document is written in: paragraphs
// (\par, \pard, \line, \tab, \qc, \ql, \li), bold, italic, underline, font sizes (\fs), colours
// from the colour table (\cf), \plain, the escapes \\ \{ \} \~ \- \_, \'xx bytes in Windows-1252
// and \uN with its fallback. Font tables, style sheets, pictures and every "\*" destination are
// skipped. Anything else is read past without harm: the input may be any bytes at all.
class tRtfReader
{
public:
    // Larger input is cut here; the help document is a few dozen kilobytes.
    static constexpr qsizetype MaxInput = 8 * 1024 * 1024;
    // Deeper groups are read as if they were flat, so hostile nesting costs no stack.
    static constexpr int MaxDepth = 200;

    // Replaces the document's content by the text of `rtf`. False when the bytes do not begin
    // with "{\rtf" (the document is then left empty).
    static bool Read(const QByteArray &rtf, QTextDocument &doc);
    // Reads a file of at most MaxInput bytes; false when it cannot be read or is not rich text.
    static bool ReadFile(const QString &path, QTextDocument &doc);
};
