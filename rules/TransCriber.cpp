#include "rules/TransCriber.h"

TransCriber::TransCriber() : traceLines(new platform::StringList) {}

TransCriber::~TransCriber() {
    ReleaseRules();
    delete[] keys;
    keys = nullptr;
    delete traceLines;
}

void TransCriber::ReleaseRules() {
    delete[] rules;
    rules = nullptr;
    delete[] used;
    used = nullptr;
    ruleCount = 0;
}
