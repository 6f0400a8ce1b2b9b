#include "engine/TransCriber.h"

#include "engine/WorkingSets.h"

TransCriber::TransCriber() : traceLines(new platform::StringList) {}

TransCriber::~TransCriber() {
    ReleaseRules();
    delete traceLines;
}

WorkingSets& TransCriber::Working() {
    if (!work_) work_ = std::make_unique<WorkingSets>();
    work_->index.Refresh(*this);
    work_->index.ForgetHistory();
    return *work_;
}

void TransCriber::ReleaseRules() {
    ++ruleSetVersion_;
    delete[] rules;
    rules = nullptr;
    slotCount = 0;
    ruleCount = 0;
    delete[] used;
    used = nullptr;
    delete[] keys;
    keys = nullptr;
    writtenAt.clear();
}
