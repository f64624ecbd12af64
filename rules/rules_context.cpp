// The rules context made on first use.
#include "rules/rules_context.h"

RulesContext& rulesContext(GameState& state)
{
    if (auto* context = dynamic_cast<RulesContext*>(state.extension()))
        return *context;
    auto context = std::make_unique<RulesContext>(state);
    RulesContext& made = *context;
    state.setExtension(std::move(context));
    return made;
}
