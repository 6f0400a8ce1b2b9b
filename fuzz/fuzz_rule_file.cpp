// The rule file reader in both directions: the input is KEY.lin, loaded as written and then
// reversed; each rule set is applied to a few fixed analysed lines.

#include "FixedLanguage.h"
#include "FuzzSupport.h"

#include "engine/TransCriber.h"

namespace {

void LoadAndRun(TransCriber& engine, const Text& name, std::int32_t direction,
                const std::vector<std::vector<Symbol>>& inputs) {
    try {
        engine.LoadRules(name, direction);
    } catch (const Text&) {
        // A rule with an empty left side raises the collection index error after the sort;
        // the set stays usable without it.
    }
    for (std::int32_t i = 1; i < engine.ruleCount; ++i)
        if (engine.keys[i - 1] > engine.keys[i]) fuzz::Violation("keys not ascending");
    for (const auto& input : inputs)
        fuzz::RunEngine(engine, input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto inputs = [] {
        fuzz::SilenceMessages();
        return fuzz::FixedInputs();
    }();
    static const Text name = fuzz::Scratch().File("rules.lin");
    fuzz::WriteFile(name, reinterpret_cast<const char*>(data), size);

    TransCriber engine;
    fuzz::SmallRunBounds(engine);
    LoadAndRun(engine, name, 0, inputs);
    LoadAndRun(engine, name, -1, inputs);
    return 0;
}
