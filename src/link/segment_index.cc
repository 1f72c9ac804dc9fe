#include "segment_index.h"

#include <cstring>

namespace {

// FNV-1a over the name's bytes, up to its NUL and never past its field.
std::size_t hash_of(const char* name, std::size_t length) {
    std::size_t hash = 14695981039346656037U;
    for (std::size_t i = 0; i < length; ++i) {
        hash = (hash ^ static_cast<unsigned char>(name[i])) * 1099511628211U;
    }
    return hash;
}

// Up to and including the NUL; names are a few characters long, so a loop
// costs less than a call.
bool named(const seg_desc& seg, const char* name, std::size_t length) {
    if (length >= kNameField) return false;
    for (std::size_t i = 0; i <= length; ++i) {
        if (seg.name[i] != name[i]) return false;
    }
    return true;
}

}  // namespace

void segment_index::clear() {
    slots_.clear();
    count_ = 0;
}

void segment_index::build(seg_desc* first) {
    clear();
    slots_.assign(64, nullptr);
    for (seg_desc* seg = first; seg != nullptr; seg = seg->next) add(seg);
}

seg_desc* segment_index::find(const char* name, std::size_t length) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash_of(name, length) & mask;; slot = (slot + 1) & mask) {
        seg_desc* seg = slots_[slot];
        if (seg == nullptr || named(*seg, name, length)) return seg;
    }
}

void segment_index::add(seg_desc* seg) {
    if (2 * (count_ + 1) > slots_.size()) grow();
    const std::size_t length = strnlen(seg->name, kNameField);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash_of(seg->name, length) & mask;; slot = (slot + 1) & mask) {
        if (slots_[slot] == nullptr) {
            slots_[slot] = seg;
            ++count_;
            return;
        }
        if (named(*slots_[slot], seg->name, length)) return;
    }
}

void segment_index::grow() {
    std::vector<seg_desc*> old(slots_.size() * 2, nullptr);
    old.swap(slots_);
    count_ = 0;
    for (seg_desc* seg : old) {
        if (seg != nullptr) add(seg);
    }
}
