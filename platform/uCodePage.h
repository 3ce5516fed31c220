// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program keeps every text as bytes of its 8-bit code page, Windows-1251.
// These helpers are the only place where such bytes meet Qt's Unicode strings.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

QString FromCodePage(std::string_view bytes);
// The same into `text`; a text of ASCII alone is written in the memory `text` has, for texts that change
// many times a second.
void AssignFromCodePage(QString& text, std::string_view bytes);
// Characters the code page cannot hold become '?'; see IsRepresentable to refuse them first.
std::string ToCodePage(const QString& text);
bool IsRepresentable(const QString& text);

// A language file may be written in another code page. Its value names one as a number of Windows ("1252"
// is windows-1252) or by a name Qt's converters know ("UTF-8", "ISO-8859-2"); empty when none knows it, or
// when it does not keep ASCII as it is.
std::string ConverterName(std::string_view codePage);
// The bytes as text of that converter; nothing when they are not text in it.
std::optional<QString> DecodeText(std::string_view bytes, const std::string& converterName);

// Letter case over every letter of the code page, Cyrillic included.
unsigned char LowerChar(unsigned char c);
std::string LowerText(std::string_view text);
bool SameTextNoCase(std::string_view a, std::string_view b);

// The decimal separator of the system's number format, as a byte of the code page; "." when it is none.
char SystemDecimalSeparator();
