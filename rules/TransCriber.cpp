#include "rules/TransCriber.h"

TransCriber::TransCriber() : traceLines(new platform::StringList) {}

TransCriber::~TransCriber() {
    ReleaseRules();
    delete traceLines;
}

void TransCriber::ReleaseRules() {
    delete[] rules;
    rules = nullptr;
    slotCount = 0;
    ruleCount = 0;
    delete[] used;
    used = nullptr;
    delete[] keys;
    keys = nullptr;
}
