#include "ui/panel/segment_font.h"

namespace photara {

std::optional<std::uint8_t> segmentsOf(QChar character) {
    using namespace segment;
    switch (character.unicode()) {
        case ' ': return 0;
        case '0': case 'O': return a | b | c | d | e | f;
        case '1': case 'I': return b | c;
        case '2': return a | b | d | e | g;
        case '3': return a | b | c | d | g;
        case '4': return b | c | f | g;
        case '5': case 'S': return a | c | d | f | g;
        case '6': return a | c | d | e | f | g;
        case '7': return a | b | c;
        case '8': return a | b | c | d | e | f | g;
        case '9': return a | b | c | d | f | g;
        case 'A': return a | b | c | e | f | g;
        case 'b': return c | d | e | f | g;
        case 'C': return a | d | e | f;
        case 'c': return d | e | g;
        case 'D': case 'd': return b | c | d | e | g;
        case 'E': return a | d | e | f | g;
        case 'F': return a | e | f | g;
        case 'H': return b | c | e | f | g;
        case 'h': return c | e | f | g;
        case 'J': return b | c | d | e;
        case 'L': return d | e | f;
        case 'N': return a | b | c | e | f;
        case 'n': return c | e | g;
        case 'o': return c | d | e | g;
        case 'P': return a | b | e | f | g;
        case 'r': return e | g;
        case 't': return d | e | f | g;
        case 'U': return b | c | d | e | f;
        case 'u': return c | d | e;
        case 'Y': case 'y': return b | c | d | f | g;
        case '-': return g;
        case '_': return d;
        default: return std::nullopt;
    }
}

}  // namespace photara
