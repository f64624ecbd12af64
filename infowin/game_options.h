// Whether the information windows show a rule-dependent value: outside play everything is shown,
// during play the rule switch of the number decides.
#pragma once

bool effectiveGameOption3();
bool effectiveGameOption4();
bool effectiveGameOption5();
bool effectiveGameOption6();
bool effectiveGameOption8();
bool effectiveGameOption10();
bool effectiveGameOption15();
bool effectiveGameOption19();
bool effectiveGameOption29();
bool effectiveGameOption31();
bool effectiveGameOption33();
bool effectiveGameOption45();
bool effectiveGameOption48();

// Rule 12 ("経験値") and rule 11 ("疲労度") as they stand, in play or not.
bool isExperienceRuleOn();
bool isFatigueRuleOn();
