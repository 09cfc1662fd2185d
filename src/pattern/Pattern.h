// Backtracking regular-expression engine over narrow (char) and wide
// (wchar_t, 32-bit on Linux) text.
//
//   auto p = Pattern::Compile("(\\d+\\.\\d+\\.\\d+).*", Pattern::DotAll);
//   if (p) {
//       auto m = p->NewMatcher(release);
//       if (m->Matches()) use(m->Group(1));
//   }
//
// Pattern/Matcher work on std::string, UPattern/UMatcher on std::wstring.
// A compiled pattern is immutable and may be shared; a matcher belongs to one
// caller at a time and must not outlive its pattern.
#pragma once

#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

template <class CharT> class BasicNFANode;
template <class CharT> class BasicMatcher;
template <class CharT> class BasicPatternParser;

template <class CharT>
class BasicPattern {
public:
    using String = std::basic_string<CharT>;
    using Matcher = BasicMatcher<CharT>;
    using Node = BasicNFANode<CharT>;

    // Flags, combined by or.
    static constexpr unsigned long IgnoreCase = 1;
    static constexpr unsigned long Literal = 2;
    static constexpr unsigned long DotAll = 4;
    static constexpr unsigned long Multiline = 8;
    static constexpr unsigned long UnixLines = 16;

    // Compiles TEXT. On a syntax error the pattern, a caret line and the
    // message go to standard error and the result is empty.
    static std::unique_ptr<BasicPattern> Compile(const String &text, unsigned long flags = 0);

    // Compiles TEXT (through the cache) and tests SUBJECT as a whole; false
    // when the pattern does not compile.
    static bool Matches(const String &text, const String &subject, unsigned long flags = 0);

    // Every group-0 text of the matches of TEXT in SUBJECT.
    static std::vector<String> FindAll(const String &text, const String &subject,
                                       unsigned long flags = 0);
    // The N-th match (counted from 0) of TEXT in SUBJECT, if there is one.
    static std::optional<String> FindNthMatch(const String &text, const String &subject, int n,
                                              unsigned long flags = 0);
    // SUBJECT with every match of TEXT replaced by REPLACEMENT, in which "\"
    // followed by digits inserts that group and "\" before any other character
    // inserts that character. A pattern that does not compile leaves SUBJECT.
    static String Replace(const String &text, const String &subject, const String &replacement,
                          unsigned long flags = 0);
    // SUBJECT split at the matches of TEXT. Empty pieces are dropped unless
    // KEEP_EMPTY; a LIMIT above 0 caps the number of pieces (the last piece
    // holds the rest of the subject).
    static std::vector<String> Split(const String &text, const String &subject,
                                     bool keep_empty = false, int limit = 0,
                                     unsigned long flags = 0);

    // Named patterns, referred to inside pattern texts as {name}. The text
    // must compile on its own; false (after the syntax-error report) if not,
    // or when NAME is empty or holds "}".
    static bool RegisterPattern(const String &name, const String &text, unsigned long flags = 0);
    static void UnregisterPattern(const String &name);
    static void ClearRegisteredPatterns();

    // Compiled patterns by (text, flags), used by the static helpers above;
    // empty when the text does not compile.
    static std::shared_ptr<const BasicPattern> Cached(const String &text, unsigned long flags = 0);
    static void ClearCache();

    ~BasicPattern();
    BasicPattern(const BasicPattern &) = delete;
    BasicPattern &operator=(const BasicPattern &) = delete;

    // A matcher over SUBJECT, owned by the caller.
    std::unique_ptr<Matcher> NewMatcher(const String &subject) const;

    const String &Text() const { return text_; }
    unsigned long Flags() const { return flags_; }
    // Capturing groups, group 0 included.
    int GroupCount() const { return group_count_; }
    int NonCapturingGroupCount() const { return noncap_count_; }
    const Node *Head() const { return head_; }

    // Prints the node chain on standard output.
    void Dump() const;

    // Adds NODE to the set of nodes this pattern owns (and queues it for
    // collecting the nodes it reaches); true when it was new.
    bool AddNode(Node *node);

private:
    friend class BasicPatternParser<CharT>;
    friend class BasicMatcher<CharT>;
    BasicPattern(const String &text, unsigned long flags);

    String text_;
    unsigned long flags_;
    std::unordered_set<Node *> nodes_;
    std::vector<Node *> pending_;
    Node *head_ = nullptr;
    int group_count_ = 1;
    int noncap_count_ = 0;
    bool error_ = false;
    size_t parse_pos_ = 0;
    mutable std::unique_ptr<Matcher> own_matcher_;
};

template <class CharT>
class BasicMatcher {
public:
    using String = std::basic_string<CharT>;
    using Pattern = BasicPattern<CharT>;

    BasicMatcher(const Pattern *pattern, const String &subject);

    // The whole subject matches.
    bool Matches();
    // Searches from the start; FindNext continues after the previous match.
    bool FindFirst();
    bool FindNext();
    // Group-0 texts of all matches from the start of the subject.
    std::vector<String> FindAll();

    // Text of group INDEX; empty when out of range or not taking part.
    String Group(int index = 0) const;
    int GroupStart(int index = 0) const;
    int GroupEnd(int index = 0) const;
    // All group texts from group 0 or from group 1.
    std::vector<String> Groups(bool include_group_zero) const;
    int GroupCount() const;

    // Clears the groups and the search state.
    void Reset();
    void SetText(const String &subject);
    const String &Text() const { return text_; }
    const Pattern *GetPattern() const { return pattern_; }

    // The last match ran out of stack or step budget and was given up as a
    // failure (so a pathological pattern/subject pair cannot crash or hang).
    bool Aborted() const { return aborted_; }
    // Steps (node visits and characters scanned while backtracking) one
    // match may take; 0 for no limit. The default is a fraction of a second.
    static constexpr long DefaultStepLimit = 100000000;
    void SetStepLimit(long limit) { step_limit_ = limit > 0 ? limit : LONG_MAX; }

    // Per-group state used by the nodes while matching (indices from minus
    // the non-capturing groups up to the capturing groups - 1).
    int &Start(int gi) { return starts_[gi + base_]; }
    int &End(int gi) { return ends_[gi + base_]; }
    int &LoopCount(int gi) { return loop_count_[gi + base_]; }
    int &LoopStart(int gi) { return loop_start_[gi + base_]; }
    int &LoopSaved(int gi) { return loop_saved_[gi + base_]; }
    bool WholeText() const { return whole_text_; }
    int SearchStart() const { return search_start_; }
    void ClearGroups();
    // Counts N steps of scanning work; false (and the match marked aborted)
    // past the step budget.
    bool Spend(long n)
    {
        steps_ += n;
        if (steps_ > step_limit_)
            aborted_ = true;
        return !aborted_;
    }
    // False (and the match marked aborted) once the match has used up its
    // stack or step budget.
    bool StackOk()
    {
        if (aborted_)
            return false;
        if (++steps_ > step_limit_ || reinterpret_cast<uintptr_t>(__builtin_frame_address(0)) < stack_limit_) {
            aborted_ = true;
            return false;
        }
        return true;
    }

private:
    bool Run(int from, bool whole);

    const Pattern *pattern_;
    String text_;
    int base_;
    std::vector<int> starts_, ends_, loop_count_, loop_start_, loop_saved_;
    int next_from_ = -1; // where FindNext goes on; -1 before FindFirst
    bool done_ = false;  // the last search found nothing
    bool whole_text_ = false;
    bool aborted_ = false;
    int search_start_ = 0;
    uintptr_t stack_limit_ = 0;
    long steps_ = 0;
    long step_limit_ = DefaultStepLimit;
};

using Pattern = BasicPattern<char>;
using Matcher = BasicMatcher<char>;
using UPattern = BasicPattern<wchar_t>;
using UMatcher = BasicMatcher<wchar_t>;

extern template class BasicPattern<char>;
extern template class BasicPattern<wchar_t>;
extern template class BasicMatcher<char>;
extern template class BasicMatcher<wchar_t>;
