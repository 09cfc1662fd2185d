#include <pthread.h>

#include <algorithm>
#include <climits>

#include "NFANode.h"
#include "Pattern.h"

namespace {

// Stack kept free below the deepest match frame, for what the last frame
// calls and for sanitizer reports.
constexpr uintptr_t kStackMargin = 256 * 1024;
// Stack a match may use at most, whatever the thread has.
constexpr uintptr_t kStackCap = 64 * 1024 * 1024;
// Budget when the thread's stack bounds are unknown.
constexpr uintptr_t kStackFallback = 512 * 1024;

// Lowest address of the calling thread's stack, 0 when unknown.
uintptr_t ThreadStackLow()
{
    thread_local bool known = false;
    thread_local uintptr_t low = 0;
    if (!known) {
        known = true;
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) == 0) {
            void *addr = nullptr;
            size_t size = 0;
            if (pthread_attr_getstack(&attr, &addr, &size) == 0)
                low = reinterpret_cast<uintptr_t>(addr);
            pthread_attr_destroy(&attr);
        }
    }
    return low;
}

uintptr_t StackLimit()
{
    uintptr_t here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
    uintptr_t low = ThreadStackLow();
    if (low && here > low + kStackMargin)
        return std::max(low + kStackMargin, here > kStackCap ? here - kStackCap : 0);
    return here > kStackFallback ? here - kStackFallback : 0;
}

} // namespace

template <class CharT>
BasicMatcher<CharT>::BasicMatcher(const Pattern *pattern, const String &subject)
    : pattern_(pattern), text_(subject), base_(pattern->noncap_count_)
{
    size_t n = static_cast<size_t>(pattern->group_count_ + pattern->noncap_count_);
    starts_.assign(n, -1);
    ends_.assign(n, -1);
    loop_count_.assign(n, 0);
    loop_start_.assign(n, -1);
    loop_saved_.assign(n, 0);
}

template <class CharT> void BasicMatcher<CharT>::ClearGroups()
{
    std::fill(starts_.begin(), starts_.end(), -1);
    std::fill(ends_.begin(), ends_.end(), -1);
    std::fill(loop_count_.begin(), loop_count_.end(), 0);
    std::fill(loop_start_.begin(), loop_start_.end(), -1);
    std::fill(loop_saved_.begin(), loop_saved_.end(), 0);
}

template <class CharT> bool BasicMatcher<CharT>::Run(int from, bool whole)
{
    aborted_ = false;
    steps_ = 0;
    whole_text_ = whole;
    search_start_ = from;
    ClearGroups();
    int r = -1;
    if (text_.size() <= static_cast<size_t>(INT_MAX)) {
        stack_limit_ = StackLimit();
        const BasicNFANode<CharT> *head = pattern_->head_;
        if (head->IsStartOfInput())
            Start(0) = from; // anchored: no start node to record it
        r = head->Match(text_, this, from);
    }
    if (r < 0) {
        ClearGroups();
        done_ = true;
        next_from_ = -1;
        return false;
    }
    done_ = false;
    next_from_ = End(0) == Start(0) ? End(0) + 1 : End(0);
    return true;
}

template <class CharT> bool BasicMatcher<CharT>::Matches()
{
    if (Run(0, true))
        return true;
    done_ = false; // a whole-text test is no search: FindNext starts afresh
    return false;
}

template <class CharT> bool BasicMatcher<CharT>::FindFirst()
{
    return Run(0, false);
}

template <class CharT> bool BasicMatcher<CharT>::FindNext()
{
    if (done_)
        return false;
    if (next_from_ < 0)
        return FindFirst();
    if (next_from_ >= static_cast<int>(text_.size())) {
        ClearGroups();
        done_ = true;
        next_from_ = -1;
        return false;
    }
    return Run(next_from_, false);
}

template <class CharT> std::vector<std::basic_string<CharT>> BasicMatcher<CharT>::FindAll()
{
    std::vector<String> out;
    for (bool ok = FindFirst(); ok; ok = FindNext())
        out.push_back(Group(0));
    return out;
}

template <class CharT> int BasicMatcher<CharT>::GroupCount() const
{
    return pattern_->group_count_;
}

template <class CharT> int BasicMatcher<CharT>::GroupStart(int index) const
{
    if (index < 0 || index >= pattern_->group_count_)
        return -1;
    return starts_[index + base_];
}

template <class CharT> int BasicMatcher<CharT>::GroupEnd(int index) const
{
    if (index < 0 || index >= pattern_->group_count_)
        return -1;
    return ends_[index + base_];
}

template <class CharT> std::basic_string<CharT> BasicMatcher<CharT>::Group(int index) const
{
    int a = GroupStart(index), b = GroupEnd(index);
    if (a < 0 || b < a)
        return String();
    return text_.substr(static_cast<size_t>(a), static_cast<size_t>(b - a));
}

template <class CharT>
std::vector<std::basic_string<CharT>> BasicMatcher<CharT>::Groups(bool include_group_zero) const
{
    std::vector<String> out;
    for (int i = include_group_zero ? 0 : 1; i < pattern_->group_count_; i++)
        out.push_back(Group(i));
    return out;
}

template <class CharT> void BasicMatcher<CharT>::Reset()
{
    ClearGroups();
    next_from_ = -1;
    done_ = false;
    whole_text_ = false;
    aborted_ = false;
    search_start_ = 0;
}

template <class CharT> void BasicMatcher<CharT>::SetText(const String &subject)
{
    text_ = subject;
    Reset();
}

template class BasicMatcher<char>;
template class BasicMatcher<wchar_t>;
