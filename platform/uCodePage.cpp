// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/uCodePage.h"

#include <QLocale>

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <array>

namespace {

constexpr const char* kCodePage = "windows-1251";

// Built once from the code page itself, so the folding covers exactly the letters the code page has.
std::array<unsigned char, 256> BuildLowerTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) {
        table[i] = static_cast<unsigned char>(i);
        const char byte = static_cast<char>(i);
        QStringDecoder decoder(kCodePage);
        const QString decoded = decoder.decode(QByteArrayView(&byte, 1));
        if (decoded.size() != 1 || decoded == QChar(QChar::ReplacementCharacter)) {
            continue;
        }
        const QString lower = decoded.toLower();
        if (lower == decoded || lower.size() != 1) {
            continue;
        }
        QStringEncoder encoder(kCodePage);
        const QByteArray back = encoder.encode(lower);
        if (!encoder.hasError() && back.size() == 1) {
            table[i] = static_cast<unsigned char>(back[0]);
        }
    }
    return table;
}

const std::array<unsigned char, 256>& LowerTable() {
    static const std::array<unsigned char, 256> table = BuildLowerTable();
    return table;
}

} // namespace

QString FromCodePage(std::string_view bytes) {
    QString text;
    AssignFromCodePage(text, bytes);
    return text;
}

void AssignFromCodePage(QString& text, std::string_view bytes) {
    // The code page's lower half is ASCII, and most texts (counters, numbers) are nothing else: they need
    // no decoder, which is costly to set up, and their bytes are their letters.
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        text.resize(static_cast<qsizetype>(bytes.size()));
        QChar* out = text.data();
        for (const char c : bytes) {
            *out++ = QLatin1Char(c);
        }
        return;
    }
    QStringDecoder decoder(kCodePage);
    text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string ToCodePage(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    QStringEncoder encoder(kCodePage);
    for (const QChar ch : text) {
        const QByteArray b = encoder.encode(QStringView(&ch, 1));
        if (encoder.hasError() || b.size() != 1) {
            out.push_back('?');
            encoder = QStringEncoder(kCodePage);
        } else {
            out.push_back(b[0]);
        }
    }
    return out;
}

bool IsRepresentable(const QString& text) {
    QStringEncoder encoder(kCodePage);
    for (const QChar ch : text) {
        if (ch.isSurrogate()) {
            return false;
        }
        const QByteArray b = encoder.encode(QStringView(&ch, 1));
        if (encoder.hasError() || b.size() != 1) {
            return false;
        }
    }
    return true;
}

std::string ConverterName(std::string_view codePage) {
    if (codePage.empty()) {
        return {};
    }
    const bool number =
        std::all_of(codePage.begin(), codePage.end(), [](char c) { return c >= '0' && c <= '9'; });
    std::string name = number ? "windows-" + std::string(codePage) : std::string(codePage);
    // The file's sections and keys are read as ASCII bytes, so only a code page that keeps ASCII as it is
    // (not UTF-16, not EBCDIC) can be the one its texts are in.
    constexpr std::string_view kAscii = "[General] s0000=Az09";
    QStringDecoder decoder(name.c_str());
    if (!decoder.isValid() ||
        QString(decoder.decode(QByteArrayView(kAscii.data(), static_cast<qsizetype>(kAscii.size())))) !=
            QLatin1String(kAscii.data(), static_cast<qsizetype>(kAscii.size()))) {
        return {};
    }
    return name;
}

std::optional<QString> DecodeText(std::string_view bytes, const std::string& converterName) {
    QStringDecoder decoder(converterName.c_str());
    QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!decoder.isValid() || decoder.hasError()) {
        return std::nullopt;
    }
    return text;
}

unsigned char LowerChar(unsigned char c) {
    return LowerTable()[c];
}

std::string LowerText(std::string_view text) {
    const auto& table = LowerTable();
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(table[static_cast<unsigned char>(c)]);
    }
    return out;
}

bool SameTextNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    const auto& table = LowerTable();
    for (size_t i = 0; i < a.size(); ++i) {
        if (table[static_cast<unsigned char>(a[i])] != table[static_cast<unsigned char>(b[i])]) {
            return false;
        }
    }
    return true;
}

char SystemDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    if (point.size() != 1 || !IsRepresentable(point)) {
        return '.';
    }
    return ToCodePage(point)[0];
}
