// Escaping and unescaping of XML attribute values and element text, and the test for
// names this library can write and read back.
#pragma once

#include <cstdint>

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::xml {

// Escapes text for a double-quoted attribute value into out (emptied first):
// LF "&#10;", CR "&#13;", '"' "&quot;", '&' "&amp;", '<' "&lt;". n = -1: up to the NUL.
void escapeAttr(str::strbuffer::StrBuffer* out, const wchar_t* text, int32_t n = -1);
// Escapes text for element content into out (emptied first): LF "&#10;", CR "&#13;",
// '&' "&amp;", '<' "&lt;", '>' "&gt;", space "&#160;", TAB "&#9;", U+3000 "&#12288;"
// (so white space survives the trimming of text on reading).
void escapeText(str::strbuffer::StrBuffer* out, const wchar_t* text, int32_t n = -1);

// Decodes an attribute value: the predefined entities (&amp; &lt; &gt; &quot; &apos;)
// and decimal/hexadecimal character references. Anything else after '&' is copied as it is.
void unescapeAttr(str::strbuffer::StrBuffer* out, const wchar_t* text, int32_t n = -1, bool append = false);
// Decodes element text: leading TAB/LF/CR/space skipped, entities and character references
// decoded ("&#160;" gives a plain space), then trailing white space (space, LF, U+3000,
// TAB, CR) trimmed, but never below what the last decoded reference produced.
void unescapeText(str::strbuffer::StrBuffer* out, const wchar_t* text, int32_t n = -1, bool append = false);

// A name the writer may emit and the reader reads back as the same name: not empty, no
// white space or control characters, none of = " ' < > / & ? and not starting with !.
bool isValidName(const wchar_t* name, int32_t n = -1);

}  // namespace s::xml
