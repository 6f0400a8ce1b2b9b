#include "core/Symbol.h"

#include "core/Binary.h"

Symbol::Symbol(Symbol&& other) noexcept : code(other.code), extra(other.extra) {
    if (CopiesAsIs(other))
        params.Swap(other.params);
    else
        params.Assign(other.params);
}

Symbol& Symbol::operator=(const Symbol& other) {
    if (this == &other) return *this;
    code = other.code;
    params.Assign(other.params);
    extra = other.extra;
    return *this;
}

bool Symbol::operator==(const Symbol& other) const {
    return code == other.code && ContainsAll(params, other.params);
}

bool Symbol::operator<(const Symbol& other) const {
    if (code != other.code) return code < other.code;
    return CompareParams(*this, other) < 0;
}

bool Symbol::operator<=(const Symbol& other) const {
    if (code != other.code) return code < other.code;
    return CompareParams(*this, other) <= 0;
}

bool Symbol::operator>(const Symbol& other) const {
    if (code != other.code) return code > other.code;
    return CompareParams(*this, other) > 0;
}

bool Symbol::operator>=(const Symbol& other) const {
    if (code != other.code) return code > other.code;
    return CompareParams(*this, other) >= 0;
}

void Symbol::AddParam(const char* name, const char* value) {
    SmbParams p(name, value);
    params.Add(&p);
}

int Symbol::ReadSymbol(const char* data, std::size_t size, std::size_t& position) {
    params.Clear();
    std::int32_t n = 0;
    if (!ReadUInt32(data, size, position, code) || !ReadInt32(data, size, position, extra) ||
        !ReadInt32(data, size, position, n))
        return 1;
    for (std::int32_t i = 0; i < n; ++i) {
        SmbParams p;
        if (p.ReadParams(data, size, position) != 0) {
            params.Clear();
            return 1;
        }
        if (params.Count() < MaxParams) params.Add(&p);
    }
    return 0;
}

bool ContainsAll(const SmbParamCollection& set, const SmbParamCollection& subset) {
    const std::int32_t ns = set.Count();
    const std::int32_t no = subset.Count();
    if (ns < no) return false;
    std::int32_t i = 0;
    for (std::int32_t j = 0; j < no; ++j) {
        const SmbParams& o = subset[j];
        int order = 0;
        while (i < ns && (order = set[i].Compare(o)) < 0)
            ++i;
        if (i == ns) return false;
        if (order > 0) return false;
        ++i;
    }
    return true;
}

int CompareParams(const Symbol& a, const Symbol& b) {
    const SmbParamCollection& A = a.params;
    const SmbParamCollection& B = b.params;
    const bool aHasB = ContainsAll(A, B);
    const bool bHasA = ContainsAll(B, A);
    if (aHasB && bHasA) return 0;
    if (aHasB) return 1;
    if (bHasA) return -1;
    if (A.Count() > B.Count()) return 1;
    if (B.Count() > A.Count()) return -1;
    for (std::int32_t k = 0; k < A.Count(); ++k) {
        if (A[k] > B[k]) return 1;
        if (A[k] < B[k]) return -1;
    }
    return 0;
}

bool Matches(const Symbol& pattern, const Symbol& symbol) {
    const bool codes = pattern.code == 0 || symbol.code == 0 || pattern.code == symbol.code;
    return codes && ContainsAll(symbol.params, pattern.params);
}

bool CopiesAsIs(const Symbol& s) {
    const SmbParamCollection& params = s.params;
    if (!params.Sorted()) return true;
    for (std::int32_t i = 1; i < params.Count(); ++i)
        if (params[i - 1].Compare(params[i]) > 0) return false;
    return true;
}

void CopyExactly(Symbol& to, const Symbol& from) {
    to.code = from.code;
    to.extra = from.extra;
    SmbParamCollection& params = to.params;
    const SmbParamCollection& source = from.params;
    params.Clear();
    params.SetStoring(source.Storing());
    params.SetSorted(source.Sorted());
    params.SetDuplicates(source.Duplicates());
    params.SetCapacity(source.Capacity());
    for (std::int32_t i = 0; i < source.Count(); ++i) {
        if (params.Storing()) {
            params.Insert(i, source.At(i));
        } else {
            auto* copy = new SmbParams;
            *copy = source[i];
            params.Insert(i, copy);
        }
    }
}

bool operator==(const SymbolCollection& a, const SymbolCollection& b) {
    if (a.Count() != b.Count()) return false;
    for (std::int32_t i = 0; i < a.Count(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

bool operator!=(const SymbolCollection& a, const SymbolCollection& b) {
    return !(a == b);
}

bool operator<(const SymbolCollection& a, const SymbolCollection& b) {
    if (a.Count() != b.Count()) return a.Count() < b.Count();
    for (std::int32_t i = 0; i < a.Count(); ++i) {
        if (a[i] > b[i]) return false;
        if (a[i] < b[i]) return true;
    }
    return false;
}

bool operator>(const SymbolCollection& a, const SymbolCollection& b) {
    if (a.Count() != b.Count()) return a.Count() > b.Count();
    for (std::int32_t i = 0; i < a.Count(); ++i) {
        if (a[i] > b[i]) return true;
        if (a[i] < b[i]) return false;
    }
    return false;
}
