// TitlePassesFilter against the naive rule-list reader: the input is a definition and a title,
// split at the first separator byte; both must give the same verdict. The name and the rules
// must also put the definition back together around its first "||".
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_text.h"
#include "fuzz/reference_match.h"
#include "targets/filter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tandrel::fuzz;
    const auto pieces = PiecesFromBytes(data, size, 2);
    const std::wstring& definition = pieces[0];
    const std::wstring title = pieces.size() > 1 ? pieces[1] : std::wstring();

    const bool passes = tandrel::TitlePassesFilter(definition, title);
    if (passes != ReferenceTitlePassesFilter(definition, title))
        Fail(passes ? "passes where the reference refuses (definition, title)"
                    : "refused where the reference passes (definition, title)",
             definition, title);

    const std::wstring name = tandrel::GetFilterName(definition);
    const std::wstring rules = tandrel::GetFilterRules(definition);
    if (definition.find(L"||") == std::wstring::npos) {
        if (!name.empty() || !rules.empty())
            Fail("a definition without || has a name or rules", definition);
    } else {
        if (name + L"||" + rules != definition)
            Fail("name, || and rules do not give the definition back", definition);
        if ((name + L"|").find(L"||") != std::wstring::npos)
            Fail("the name holds the first ||", definition, name);
    }
    return 0;
}
