#include "dictionary/two.h"

#include "dictionary/dict_format.h"
#include "dictionary/dictionary_error.h"

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

void Ttwo::refuse(Slot& slot, const std::string& why) {
    const std::string path = dir_ + "/" + slot.name;
    throw DictionaryError("词库文件 " + path + " 已损坏（" + why +
                              "），查不到其中的字词。请重新安装本程序的词库。",
                          path, DictionaryError::Kind::Damaged);
}

const dict::GroupFile& Ttwo::groupFile(int group, bool byText) {
    Slot& slot = slots_[(byText ? dict::kGroups : 0) + group - 1];
    std::string bytes;
    try {
        if (!refresh(slot, bytes))
            return *slot.group;
    } catch (const DictionaryError& e) {
        // A damaged file is said once: until it changes it finds nothing.
        if (e.kind() == DictionaryError::Kind::Damaged)
            slot.group = std::make_unique<dict::GroupFile>(group, std::string());
        throw;
    }
    const std::string why = dict::damageOf(group, byText, bytes);
    slot.group = std::make_unique<dict::GroupFile>(group, why.empty() ? std::move(bytes) : "");
    if (!why.empty())
        refuse(slot, why);
    return *slot.group;
}

const dict::FrequentList& Ttwo::frequentList() {
    Slot& slot = slots_[kFrequentSlot];
    std::string bytes;
    try {
        if (!refresh(slot, bytes))
            return *slot.frequent;
    } catch (const DictionaryError& e) {
        if (e.kind() == DictionaryError::Kind::Damaged)
            slot.frequent = std::make_unique<dict::FrequentList>(std::string());
        throw;
    }
    const std::string why = dict::frequentDamageOf(bytes);
    slot.frequent = std::make_unique<dict::FrequentList>(why.empty() ? bytes : std::string());
    if (!why.empty())
        refuse(slot, why);
    return *slot.frequent;
}

void Ttwo::LookupCode(Scope scope, std::string_view code) {
    candidates_.clear();
    if (scope == Scope::Characters) {
        FindByCode(1, code);
        return;
    }
    // A damaged group does not hide the others: every damaged file of the
    // lookup is named in one message, after the sound groups were searched.
    std::string damaged;
    std::string firstDamaged;
    for (int g = 2; g <= dict::kGroups; ++g) {
        try {
            FindByCode(g, code);
        } catch (const DictionaryError& e) {
            if (e.kind() != DictionaryError::Kind::Damaged)
                throw;
            damaged += (damaged.empty() ? "" : "\n") + std::string(e.what());
            if (firstDamaged.empty())
                firstDamaged = e.file();
        }
    }
    if (!damaged.empty())
        throw DictionaryError(damaged, firstDamaged, DictionaryError::Kind::Damaged);
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

std::vector<std::string> Ttwo::CodesOfChar(std::string_view character) {
    std::vector<std::string> codes;
    if (character.size() != 2)
        return codes;
    const dict::GroupFile& zh1 = groupFile(1, false);
    const int64_t first = zh1.firstRecordOfChar(character);
    if (first < 0)
        return codes;
    // The records lie in code order; the character's further codes follow
    // its first one anywhere after it.
    for (int64_t r = first; r < zh1.recordCount(); ++r) {
        const unsigned char* rec = zh1.record(r);
        if (std::string_view(reinterpret_cast<const char*>(rec) + dict::kCodeBytes, 2) == character)
            codes.push_back(dict::decodeCodeOfChar(rec));
    }
    return codes;
}

std::string Ttwo::FullCodeOfChar(std::string_view character) {
    std::string full;
    for (const std::string& code : CodesOfChar(character))
        if (code.size() > full.size())
            full = code;
    return full;
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
