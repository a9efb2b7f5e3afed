// Rows as text: ParseRowText with the game count taken from the first input byte. A text it
// accepts must come back unchanged through every written form; a refused one leaves no rows
// and names its bad line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/rowtext.h"
#include "fuzz_support.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int n = kMinGames + data[0] % 4;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const RowTextContent content = ParseRowText(text, n);
    VELMORA_FUZZ_CHECK(content.rows.Games() == n);
    if (!content.ok()) {
        VELMORA_FUZZ_CHECK(content.rows.Empty());
        if (content.badLine > 0) {
            const std::string line = "Zeile " + std::to_string(content.badLine);
            VELMORA_FUZZ_CHECK(content.error.find(line) != std::string::npos);
        }
        return 0;
    }
    VELMORA_FUZZ_CHECK(!content.rows.Empty());
    VELMORA_FUZZ_CHECK(content.badLine == 0);
    for (Sign s : content.rows.Bytes())
        VELMORA_FUZZ_CHECK(IsSign(s));

    const RowTextOptions forms[] = {
        {RowTextFormat::Plain, '0', false, {}},
        {RowTextFormat::Plain, 'X', true, {}},
        {RowTextFormat::Csv, 'X', false, {}},
        {RowTextFormat::ELine, 'X', false, "Stryktipset"},
    };
    for (const RowTextOptions& form : forms) {
        const RowTextContent back = ParseRowText(RowsAsText(content.rows, form), n);
        VELMORA_FUZZ_CHECK(back.ok());
        VELMORA_FUZZ_CHECK(back.rows == content.rows);
    }
    return 0;
}
