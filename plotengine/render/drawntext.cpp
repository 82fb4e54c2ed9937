#include "drawntext.h"

namespace korva::plot {

QString DrawnText(std::string_view text) {
    // A character takes at most 4 bytes of UTF-8, so this many bytes always
    // hold more characters than can be shown.
    constexpr std::size_t kBytesNeeded = 4 * static_cast<std::size_t>(kMaxDrawnTextChars) + 4;
    const std::string_view shown = text.substr(0, kBytesNeeded);
    QString result = QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
    if (result.size() <= kMaxDrawnTextChars && shown.size() == text.size()) return result;
    qsizetype keep = std::min(result.size(), kMaxDrawnTextChars - 1);
    if (keep > 0 && result.at(keep - 1).isHighSurrogate()) --keep; // never half a character
    result.truncate(keep);
    result += QChar(0x2026);
    return result;
}

std::string CutUtf8(std::string_view text) {
    constexpr std::size_t kMaxBytes = 4 * static_cast<std::size_t>(kMaxDrawnTextChars);
    if (text.size() <= kMaxBytes) return std::string(text);
    std::size_t keep = kMaxBytes;
    // Back up over continuation bytes to the start of a character.
    while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80)
        --keep;
    return std::string(text.substr(0, keep)) + "\u2026";
}

} // namespace korva::plot
