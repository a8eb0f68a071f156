// WildcardMatch against the reference matcher: the input is a title and a pattern, split at the
// first separator byte. Both must give the same verdict for the pair, and every text matches
// itself taken as a pattern ("?" and "*" match themselves too).
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_text.h"
#include "fuzz/reference_match.h"
#include "targets/filter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tandrel::fuzz;
    const auto pieces = PiecesFromBytes(data, size, 2);
    const std::wstring& title = pieces[0];
    const std::wstring pattern = pieces.size() > 1 ? pieces[1] : std::wstring();
    if (tandrel::WildcardMatch(title, pattern) != ReferenceWildcardMatch(title, pattern))
        Fail(tandrel::WildcardMatch(title, pattern) ? "matched where the reference does not (title, pattern)"
                                                    : "no match where the reference matches (title, pattern)",
             title, pattern);
    if (!tandrel::WildcardMatch(title, title))
        Fail("a title does not match itself as a pattern", title);
    if (!tandrel::WildcardMatch(pattern, pattern))
        Fail("a pattern does not match itself as a title", pattern);
    return 0;
}
