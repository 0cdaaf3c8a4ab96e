#include "two.h"

#include "dict_format.h"

namespace {
constexpr int kMaxWordChars = 13;
}

std::string Ttwo::fileName(int group, bool byText) {
    return "zh" + std::to_string(group) + (byText ? ".hz" : "");
}

Ttwo::Ttwo(std::string dictDir, ChangeCheck check)
    : dir_(std::move(dictDir)), check_(check),
      watch_(dir_, [this](std::string_view name) { markChanged(name); }) {
    for (int g = 1; g <= dict::kGroups; ++g) {
        slots_[g - 1].name = fileName(g, false);
        slots_[dict::kGroups + g - 1].name = fileName(g, true);
    }
    slots_[kFrequentSlot].name = kFrequentFile;
}

Ttwo::~Ttwo() = default;

void Ttwo::markChanged(std::string_view name) {
    for (Slot& s : slots_) {
        if (name.empty() || name == s.name)
            s.stale.store(true, std::memory_order_release);
    }
}

bool Ttwo::refresh(Slot& slot, std::string& bytes) {
    if ((slot.group || slot.frequent) && slot.watched &&
        !slot.stale.load(std::memory_order_acquire))
        return false; // the fast path: no change reported since the read
    const std::string path = dir_ + "/" + slot.name;
    // Without a folder watch, the file's identity tells whether it changed.
    if ((slot.group || slot.frequent) && !slot.watched && identityOf(path) == slot.identity)
        return false;
    // Clear the mark before reading, so a change during the read marks again.
    slot.stale.store(false, std::memory_order_release);
    slot.watched = check_ == ChangeCheck::FolderWatch && watch_.ensureWatching();
    slot.group.reset();
    slot.frequent.reset();
    bytes = readWholeFile(path, &slot.identity);
    ++fileReads_;
    return true;
}

const dict::GroupFile& Ttwo::groupFile(int group, bool byText) {
    Slot& slot = slots_[(byText ? dict::kGroups : 0) + group - 1];
    std::string bytes;
    if (refresh(slot, bytes))
        slot.group = std::make_unique<dict::GroupFile>(group, std::move(bytes));
    return *slot.group;
}

const dict::FrequentList& Ttwo::frequentList() {
    Slot& slot = slots_[kFrequentSlot];
    std::string bytes;
    if (refresh(slot, bytes))
        slot.frequent = std::make_unique<dict::FrequentList>(bytes);
    return *slot.frequent;
}

void Ttwo::LookupCode(Scope scope, std::string_view code) {
    candidates_.clear();
    if (scope == Scope::Characters) {
        FindByCode(1, code);
        return;
    }
    for (int g = 2; g <= dict::kGroups; ++g)
        FindByCode(g, code);
}

void Ttwo::FindByCode(int group, std::string_view code) {
    if (group < 1 || group > dict::kGroups)
        return;
    groupFile(group, false).FindByCode(code, candidates_);
}

bool Ttwo::HasWord(int length, std::string_view word) {
    if (length < 1 || length > kMaxWordChars)
        return false;
    return groupFile(dict::groupOfLength(length), true).HasText(word);
}

bool Ttwo::IsFrequentWord(std::string_view word) {
    return frequentList().contains(word);
}

std::string Ttwo::CodeOfChar(std::string_view character) {
    const dict::GroupFile& zh1 = groupFile(1, false);
    int64_t rec = zh1.firstRecordOfChar(character);
    if (rec < 0)
        return {};
    return dict::decodeCodeOfChar(zh1.record(rec));
}

size_t Ttwo::memoryBytes() const {
    size_t total = 0;
    for (const Slot& s : slots_) {
        if (s.group)
            total += s.group->memoryBytes();
        if (s.frequent)
            total += s.frequent->memoryBytes();
    }
    return total;
}
