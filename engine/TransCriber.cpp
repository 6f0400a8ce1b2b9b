#include "engine/TransCriber.h"

#include "engine/WorkingSets.h"

#include <initializer_list>

TransCriber::TransCriber() : traceLines(new platform::StringList) {}

TransCriber::~TransCriber() {
    ReleaseRules();
    delete traceLines;
}

WorkingSets& TransCriber::Working() {
    if (!work_) work_ = std::make_unique<WorkingSets>();
    if (work_->index.Refresh(*this))
        for (const Symbol* marker : {&work_->begin, &work_->end, &work_->gap, &work_->final})
            work_->index.KeepHistoryMask(marker);
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
