#pragma once

#include "platform/SystemTexts.h"
#include "platform/Text.h"

#include <cstdint>
#include <new>
#include <string>
#include <typeinfo>
#include <utility>

// What Add does in sorted mode with an element equal to one already present.
enum TDuplicates : std::uint8_t { dupIgnore = 0, dupAccept = 1, dupError = 2 };

// Owning array of pointers to heap elements, optionally kept sorted by binary-search insertion.
// T needs default construction, assignment and the comparisons ==, < and >.
// Errors are thrown as a plain Text carrying the Russian message.
template <class T> class THamCollection {
public:
    THamCollection() {
        SetStoring(true);
        SetCapacity(0);
        SetSorted(true);
        SetDuplicates(dupAccept);
    }
    THamCollection(bool sorted, bool storing) {
        storing_ = storing;
        SetCapacity(0);
        sorted_ = sorted;
        duplicates_ = dupAccept;
    }
    THamCollection(const THamCollection& other) : THamCollection() { Assign(other); }
    THamCollection& operator=(const THamCollection& other) {
        Assign(other);
        return *this;
    }
    virtual ~THamCollection() {
        for (std::int32_t i = 0; i < count_; ++i)
            delete items_[i];
        delete[] items_;
        items_ = nullptr;
        count_ = 0;
        capacity_ = 0;
    }

    std::int32_t Count() const { return count_; }
    std::int32_t Capacity() const { return capacity_; }
    bool Storing() const { return storing_; }
    bool Sorted() const { return sorted_; }
    TDuplicates Duplicates() const { return duplicates_; }

    // Bounds-tested access; the element stays owned by the collection.
    T* At(std::int32_t index) const {
        CheckIndex(index);
        return items_[index];
    }
    T& operator[](std::int32_t index) const { return *At(index); }

    // Allowed only while the collection is empty, even when the value would not change.
    void SetStoring(bool storing) {
        if (count_ != 0) throw Text(texts::StoringNotEmpty());
        storing_ = storing;
    }

    void SetCapacity(std::int32_t n) {
        if (n != 0) {
            const std::int32_t keep = count_ < n ? count_ : n;
            T** cells = new T*[static_cast<std::size_t>(n)];
            for (std::int32_t i = 0; i < keep; ++i)
                cells[i] = items_[i];
            delete[] items_;
            items_ = cells;
        }
        capacity_ = n;
    }

    // Switching on sorts the present elements first; switching off keeps their order.
    void SetSorted(bool sorted) {
        if (sorted == sorted_) return;
        if (sorted) Sort();
        sorted_ = sorted;
    }

    void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }

    // Appends, or inserts at the sorted position. Returns the index, or -1 when an equal
    // element is ignored (the item then stays the caller's).
    std::int32_t Add(T* item) {
        std::int32_t index = count_;
        if (sorted_) {
            if (Find(item, index)) {
                if (duplicates_ == dupIgnore) return -1;
                if (duplicates_ == dupError) throw Text(texts::DuplicateStrings());
            }
        }
        Insert(index, item);
        return index;
    }

    // Binary search. With dupAccept, index is the first position not less than item; otherwise
    // the position of the equal element that was hit.
    bool Find(const T* item, std::int32_t& index) const {
        std::int32_t lo = 0;
        std::int32_t hi = count_ - 1;
        bool found = false;
        while (lo <= hi) {
            const std::int32_t mid = lo + (hi - lo) / 2;
            if (*items_[mid] < *item) {
                lo = mid + 1;
            } else {
                hi = mid - 1;
                if (*items_[mid] == *item) {
                    found = true;
                    if (duplicates_ != dupAccept) lo = mid;
                }
            }
        }
        index = lo;
        return found;
    }

    // Stores a copy (Storing on) or adopts the pointer (Storing off) at index 0..Count.
    void Insert(std::int32_t index, T* item) {
        if (index < 0 || index > count_) ThrowIndex(index);
        if (count_ == capacity_) Grow();
        for (std::int32_t i = count_; i > index; --i)
            items_[i] = items_[i - 1];
        if (storing_) {
            T* copy = new T;
            *copy = *item;
            items_[index] = copy;
        } else {
            items_[index] = item;
        }
        ++count_;
    }

    // Removes the element; destroys it only when Storing is on.
    void Delete(std::int32_t index) {
        CheckIndex(index);
        if (storing_) delete items_[index];
        for (std::int32_t i = index; i < count_ - 1; ++i)
            items_[i] = items_[i + 1];
        --count_;
    }

    void Clear() {
        if (count_ == 0) return;
        for (std::int32_t i = 0; i < count_; ++i)
            delete items_[i];
        delete[] items_;
        items_ = nullptr;
        count_ = 0;
        SetCapacity(0);
    }

    // Deep copy of the settings and of every element.
    void Assign(const THamCollection& other) {
        if (&other == this) return;
        if (storing_ && other.count_ > 0 && (!other.sorted_ || other.StrictlyAscending())) {
            AssignInPlace(other);
            return;
        }
        Clear();
        SetStoring(other.storing_);
        SetSorted(other.sorted_);
        SetCapacity(other.capacity_);
        duplicates_ = other.duplicates_;
        for (std::int32_t i = 0; i < other.count_; ++i) {
            if (storing_) {
                Add(other.items_[i]);
            } else {
                T* copy = new T;
                *copy = *other.items_[i];
                if (Add(copy) < 0) delete copy;
            }
        }
    }

    void Sort() {
        if (sorted_ || count_ < 2) return;
        QuickSort(0, count_ - 1);
    }

    // Exchanges the elements and the settings of two collections; nothing is copied.
    void Swap(THamCollection& other) noexcept {
        std::swap(items_, other.items_);
        std::swap(count_, other.count_);
        std::swap(capacity_, other.capacity_);
        std::swap(storing_, other.storing_);
        std::swap(sorted_, other.sorted_);
        std::swap(duplicates_, other.duplicates_);
    }

    void Exchange(std::int32_t a, std::int32_t b) {
        T* t = items_[a];
        items_[a] = items_[b];
        items_[b] = t;
    }

    void Grow() {
        std::int32_t delta = 4;
        if (capacity_ > 64)
            delta = capacity_ / 4;
        else if (capacity_ > 8)
            delta = 16;
        SetCapacity(capacity_ + delta);
    }

private:
    // Whether every element is below the next: Add then appends each in turn, sorted or not.
    bool StrictlyAscending() const {
        for (std::int32_t i = 1; i < count_; ++i)
            if (!(*items_[i - 1] < *items_[i])) return false;
        return true;
    }
    // Assign from a collection whose elements Add would append in order: the elements this
    // collection holds (its own copies) are overwritten as fresh copies instead of being
    // freed and allocated again.
    void AssignInPlace(const THamCollection& other) {
        for (std::int32_t i = other.count_; i < count_; ++i)
            delete items_[i];
        const std::int32_t kept = count_ < other.count_ ? count_ : other.count_;
        count_ = kept;
        if (capacity_ != other.capacity_ || items_ == nullptr) {
            T** cells = new T*[static_cast<std::size_t>(other.capacity_)];
            for (std::int32_t i = 0; i < kept; ++i)
                cells[i] = items_[i];
            delete[] items_;
            items_ = cells;
            capacity_ = other.capacity_;
        }
        for (std::int32_t i = 0; i < kept; ++i) {
            // As a new element would be: default-made, then assigned. An adopted element of
            // another type is replaced.
            if (typeid(*items_[i]) == typeid(T)) {
                items_[i]->~T();
                ::new (static_cast<void*>(items_[i])) T();
            } else {
                delete items_[i];
                items_[i] = new T;
            }
            *items_[i] = *other.items_[i];
        }
        for (std::int32_t i = kept; i < other.count_; ++i) {
            T* copy = new T;
            *copy = *other.items_[i];
            items_[i] = copy;
        }
        count_ = other.count_;
        storing_ = other.storing_;
        sorted_ = other.sorted_;
        duplicates_ = other.duplicates_;
    }

    void CheckIndex(std::int32_t index) const {
        if (index < 0 || index >= count_) ThrowIndex(index);
    }
    [[noreturn]] static void ThrowIndex(std::int32_t index) {
        throw Text(texts::BadIndex() + std::to_string(index));
    }

    // Classic quicksort on a pivot slot that follows its element through the exchanges.
    // The scans are also held inside L..R so an inconsistent order cannot run off the array.
    void QuickSort(std::int32_t L, std::int32_t R) {
        std::int32_t i;
        do {
            i = L;
            std::int32_t j = R;
            std::int32_t p = L + (R - L) / 2;
            do {
                while (i < R && *items_[i] < *items_[p])
                    ++i;
                while (j > L && *items_[j] > *items_[p])
                    --j;
                if (i <= j) {
                    Exchange(i, j);
                    if (p == i)
                        p = j;
                    else if (p == j)
                        p = i;
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (L < j) QuickSort(L, j);
            L = i;
        } while (i < R);
    }

    T** items_ = nullptr;
    std::int32_t count_ = 0;
    std::int32_t capacity_ = 0;
    bool storing_ = true;
    bool sorted_ = true;
    TDuplicates duplicates_ = dupAccept;
};
