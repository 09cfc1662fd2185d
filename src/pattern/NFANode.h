// Node classes of the pattern engine. A compiled pattern is a chain of nodes;
// Match walks it by backtracking: each node tests the subject at a position
// and hands the rest of the subject to its next node, returning the end
// position of the whole match or -1.
//
// Every class exists for both text widths: BasicNFAXNode<char> is NFAXNode,
// BasicNFAXNode<wchar_t> is NFAXUNode.
#pragma once

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cwctype>
#include <cctype>
#include <string>
#include <type_traits>
#include <vector>

#include "CharSet.h"
#include "Pattern.h"

// Per-width character helpers.
template <class CharT> struct PatternChars;

template <> struct PatternChars<char> {
    static uint32_t Code(char c) { return static_cast<unsigned char>(c); }
    static char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }
    static char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
    static char FromCode(uint32_t c) { return static_cast<char>(c); }
};

template <> struct PatternChars<wchar_t> {
    static uint32_t Code(wchar_t c) { return static_cast<uint32_t>(c); }
    static wchar_t Lower(wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))); }
    static wchar_t Upper(wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))); }
    static wchar_t FromCode(uint32_t c) { return static_cast<wchar_t>(c); }
};

// Narrow, printable form of a text for diagnostics (wide texts converted in
// the current locale, unconvertible characters as "?").
std::string PatternNarrow(const std::string &s);
std::string PatternNarrow(const std::wstring &s);

#define TVA_NFA_NAME(X) (std::is_same_v<CharT, char> ? "NFA" #X "Node" : "NFA" #X "UNode")

// A one-character test that quantifier loops run inline.
template <class CharT> struct CharTest {
    enum Kind { Char, CIChar, Class, CIClass, Any } kind = Char;
    CharT c = 0;
    const CharSet *set = nullptr;
    bool inv = false;

    bool operator()(CharT x) const
    {
        using C = PatternChars<CharT>;
        switch (kind) {
        case Char: return x == c;
        case CIChar: return C::Lower(x) == c;
        case Class: return set->Has(C::Code(x)) != inv;
        case CIClass: return set->Has(C::Code(C::Lower(x))) != inv;
        case Any: return true;
        }
        return false;
    }
};

template <class CharT>
class BasicNFANode {
public:
    using String = std::basic_string<CharT>;
    using Matcher = BasicMatcher<CharT>;
    using Pattern = BasicPattern<CharT>;

    BasicNFANode *next = nullptr;

    virtual ~BasicNFANode() = default;
    // Adds the nodes reachable from this one to P's node set.
    virtual void CollectNodes(Pattern *p)
    {
        p->AddNode(this);
        if (next)
            p->AddNode(next);
    }
    virtual int Match(const String &s, Matcher *m, int p) const = 0;
    virtual void Dump(int indent) const { std::printf("%*c%s\n", indent * 2, ' ', Name()); }
    virtual bool IsGroupHead() const { return false; }
    virtual bool IsStartOfInput() const { return false; }

    virtual const char *Name() const = 0;
    // A single-character element fills T.
    virtual bool GetCharTest(CharTest<CharT> *) const { return false; }
    // The character (compared exactly) that any match from here starts with.
    virtual bool FirstChar(CharT *) const { return false; }
    // Inner chains Dump shows below this node's line; nullptr when none.
    virtual const BasicNFANode *Inner() const { return nullptr; }

protected:
    int Next(const String &s, Matcher *m, int p) const { return m->StackOk() ? next->Match(s, m, p) : -1; }
};

// Prints the chain from N up to (not including) STOP.
template <class CharT>
void DumpChain(const BasicNFANode<CharT> *n, int indent, const BasicNFANode<CharT> *stop)
{
    for (; n && n != stop; n = n->next)
        n->Dump(indent);
}

template <class CharT>
class BasicNFAStartNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    const char *Name() const override { return TVA_NFA_NAME(Start); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        const int n = static_cast<int>(s.size());
        CharT first;
        bool hint = this->next->FirstChar(&first);
        for (int q = p; q <= n; q++) {
            if (!m->WholeText() && hint) {
                while (q < n && s[q] != first)
                    q++;
                if (q >= n)
                    return -1;
            }
            m->ClearGroups();
            m->Start(0) = q;
            int r = this->Next(s, m, q);
            if (r >= 0)
                return r;
            if (m->WholeText() || m->Aborted())
                break;
        }
        return -1;
    }
};

template <class CharT>
class BasicNFAEndNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    const char *Name() const override { return TVA_NFA_NAME(End); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (m->WholeText() && p != static_cast<int>(s.size()))
            return -1;
        m->End(0) = p;
        return p;
    }
};

template <class CharT>
class BasicNFACharNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    explicit BasicNFACharNode(CharT c) : ch(c) {}
    CharT ch;
    const char *Name() const override { return TVA_NFA_NAME(Char); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (p < static_cast<int>(s.size()) && s[p] == ch)
            return this->Next(s, m, p + 1);
        return -1;
    }
    void Dump(int indent) const override
    {
        std::printf("%*c%s(0x%02X)\n", indent * 2, ' ', Name(), PatternChars<CharT>::Code(ch));
    }
    bool GetCharTest(CharTest<CharT> *t) const override
    {
        t->kind = CharTest<CharT>::Char;
        t->c = ch;
        return true;
    }
    bool FirstChar(CharT *c) const override
    {
        *c = ch;
        return true;
    }
};

template <class CharT>
class BasicNFACICharNode : public BasicNFACharNode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    explicit BasicNFACICharNode(CharT c) : BasicNFACharNode<CharT>(PatternChars<CharT>::Lower(c)) {}
    const char *Name() const override { return TVA_NFA_NAME(CIChar); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (p < static_cast<int>(s.size()) && PatternChars<CharT>::Lower(s[p]) == this->ch)
            return this->Next(s, m, p + 1);
        return -1;
    }
    bool GetCharTest(CharTest<CharT> *t) const override
    {
        t->kind = CharTest<CharT>::CIChar;
        t->c = this->ch;
        return true;
    }
    bool FirstChar(CharT *) const override { return false; }
};

template <class CharT>
class BasicNFAQuoteNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    explicit BasicNFAQuoteNode(const String &q) : text(q) {}
    String text;
    const char *Name() const override { return TVA_NFA_NAME(Quote); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (s.size() - static_cast<size_t>(p) < text.size() || s.compare(p, text.size(), text) != 0)
            return -1;
        return this->Next(s, m, p + static_cast<int>(text.size()));
    }
    void Dump(int indent) const override
    {
        std::printf("%*c%s(\"%s\")\n", indent * 2, ' ', Name(), PatternNarrow(text).c_str());
    }
    bool FirstChar(CharT *c) const override
    {
        if (text.empty())
            return this->next->FirstChar(c);
        *c = text[0];
        return true;
    }
};

template <class CharT>
class BasicNFACIQuoteNode : public BasicNFAQuoteNode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    explicit BasicNFACIQuoteNode(const String &q) : BasicNFAQuoteNode<CharT>(q)
    {
        for (auto &c : this->text)
            c = PatternChars<CharT>::Lower(c);
    }
    const char *Name() const override { return TVA_NFA_NAME(CIQuote); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        const String &t = this->text;
        if (s.size() - static_cast<size_t>(p) < t.size())
            return -1;
        for (size_t i = 0; i < t.size(); i++)
            if (PatternChars<CharT>::Lower(s[p + i]) != t[i])
                return -1;
        return this->Next(s, m, p + static_cast<int>(t.size()));
    }
    bool FirstChar(CharT *) const override { return false; }
};

template <class CharT>
class BasicNFAClassNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    BasicNFAClassNode(const CharSet &s, bool inverted) : set(s), inv(inverted) {}
    CharSet set;
    bool inv;
    const char *Name() const override { return TVA_NFA_NAME(Class); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (p < static_cast<int>(s.size()) && set.Has(PatternChars<CharT>::Code(s[p])) != inv)
            return this->Next(s, m, p + 1);
        return -1;
    }
    void Dump(int indent) const override
    {
        std::printf("%*c%s(%d vals, inv=%s)\n", indent * 2, ' ', Name(), static_cast<int>(set.Count()),
                    inv ? "true" : "false");
    }
    bool GetCharTest(CharTest<CharT> *t) const override
    {
        t->kind = inv && set.Empty() ? CharTest<CharT>::Any : CharTest<CharT>::Class;
        t->set = &set;
        t->inv = inv;
        return true;
    }
};

template <class CharT>
class BasicNFACIClassNode : public BasicNFAClassNode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    BasicNFACIClassNode(const CharSet &s, bool inverted)
        : BasicNFAClassNode<CharT>(
              s.Mapped([](uint32_t c) {
                  using C = PatternChars<CharT>;
                  return C::Code(C::Lower(C::FromCode(c)));
              }),
              inverted)
    {
    }
    const char *Name() const override { return TVA_NFA_NAME(CIClass); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        using C = PatternChars<CharT>;
        if (p < static_cast<int>(s.size()) && this->set.Has(C::Code(C::Lower(s[p]))) != this->inv)
            return this->Next(s, m, p + 1);
        return -1;
    }
    bool GetCharTest(CharTest<CharT> *t) const override
    {
        t->kind = CharTest<CharT>::CIClass;
        t->set = &this->set;
        t->inv = this->inv;
        return true;
    }
};

template <class CharT>
class BasicNFAAcceptNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    const char *Name() const override { return TVA_NFA_NAME(Accept); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        return this->next ? this->Next(s, m, p) : p;
    }
    bool FirstChar(CharT *c) const override { return this->next && this->next->FirstChar(c); }
};

// Repetitions of a single element. The inner node is followed by an accept
// node, so inner->Match returns where one repetition ends. The repetitions
// are taken in a loop rather than by recursion, so a long run of them costs
// no stack.
template <class CharT>
class BasicNFAQuantifierNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    using Pattern = BasicPattern<CharT>;
    BasicNFAQuantifierNode(BasicNFANode<CharT> *in, int mn, int mx) : inner(in), min(mn), max(mx)
    {
        single = in->GetCharTest(&test);
    }
    BasicNFANode<CharT> *inner;
    int min, max;

    void CollectNodes(Pattern *p) override
    {
        BasicNFANode<CharT>::CollectNodes(p);
        p->AddNode(inner);
    }
    void Dump(int indent) const override
    {
        std::printf("%*c%s(min=%d, max=%d)\n", indent * 2, ' ', this->Name(), min, max);
        std::printf("%*cinner\n", indent * 2, ' ');
        DumpChain<CharT>(inner, indent + 1, nullptr);
    }
    const BasicNFANode<CharT> *Inner() const override { return inner; }
    bool FirstChar(CharT *c) const override { return min > 0 && inner->FirstChar(c); }

protected:
    bool single;
    CharTest<CharT> test;

    // Ends of successive repetitions from P: ends[k] is where k repetitions
    // end (ends[0] == P). Stops at UPTO, at the first failing repetition, or
    // after one that did not advance (which stands for all further ones).
    // Returns the smallest usable index into ENDS (MIN, or less after an
    // empty repetition), or -1 when fewer than MIN repetitions match.
    int Repeat(const String &s, Matcher *m, int p, int upto, std::vector<int> *ends) const
    {
        ends->assign(1, p);
        int k = 0;
        while (k < upto) {
            int e = inner->Match(s, m, ends->back());
            if (e < 0 || m->Aborted())
                break;
            k++;
            ends->push_back(e);
            if (e == (*ends)[ends->size() - 2])
                return k < min ? k : min; // an empty repetition repeats forever
        }
        return k >= min && !m->Aborted() ? min : -1;
    }

    // Number of single-character repetitions available from P, up to LIMIT
    // (-1 past the step budget).
    int Run(const String &s, Matcher *m, int p, int limit) const
    {
        int k = Scan(s, p, limit);
        return m->Spend(k) ? k : -1;
    }

    int Scan(const String &s, int p, int limit) const
    {
        const int avail = static_cast<int>(s.size()) - p;
        const int most = limit < avail ? limit : avail;
        const CharT *b = s.data() + p;
        int k = 0;
        // One loop per kind keeps the test out of the switch.
        switch (test.kind) {
        case CharTest<CharT>::Any:
            return most;
        case CharTest<CharT>::Char:
            while (k < most && b[k] == test.c)
                k++;
            return k;
        case CharTest<CharT>::Class:
            while (k < most && test.set->Has(PatternChars<CharT>::Code(b[k])) != test.inv)
                k++;
            return k;
        default:
            while (k < most && test(b[k]))
                k++;
            return k;
        }
    }
};

template <class CharT>
class BasicNFAGreedyQuantifierNode : public BasicNFAQuantifierNode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    using BasicNFAQuantifierNode<CharT>::BasicNFAQuantifierNode;
    const char *Name() const override { return TVA_NFA_NAME(GreedyQuantifier); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (!m->StackOk())
            return -1;
        CharT first;
        bool hint = this->next->FirstChar(&first);
        const int n = static_cast<int>(s.size());
        std::vector<int> ends;
        int top, low;
        if (this->single) {
            top = this->Run(s, m, p, this->max);
            low = this->min;
            if (top < low)
                return -1;
        } else {
            low = this->Repeat(s, m, p, this->max, &ends);
            if (low < 0)
                return -1;
            top = static_cast<int>(ends.size()) - 1;
        }
        if (!m->Spend(top - low + 1))
            return -1;
        for (int k = top; k >= low; k--) {
            int e = this->single ? p + k : ends[k];
            if (hint && (e >= n || s[e] != first))
                continue;
            int r = this->next->Match(s, m, e);
            if (r >= 0 || m->Aborted())
                return r;
        }
        return -1;
    }
};

template <class CharT>
class BasicNFALazyQuantifierNode : public BasicNFAQuantifierNode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    using BasicNFAQuantifierNode<CharT>::BasicNFAQuantifierNode;
    const char *Name() const override { return TVA_NFA_NAME(LazyQuantifier); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (!m->StackOk())
            return -1;
        CharT first;
        bool hint = this->next->FirstChar(&first);
        const int n = static_cast<int>(s.size());
        int e = p, k = 0;
        if (this->single) {
            if (this->Run(s, m, p, this->min) < this->min)
                return -1;
            e = p + this->min;
            k = this->min;
        } else {
            std::vector<int> ends;
            if (this->Repeat(s, m, p, this->min, &ends) < 0)
                return -1;
            e = ends.back();
            k = this->min;
        }
        for (;;) {
            if (!hint || (e < n && s[e] == first)) {
                int r = this->next->Match(s, m, e);
                if (r >= 0)
                    return r;
                if (m->Aborted())
                    return -1;
            }
            if (k >= this->max || !m->Spend(1))
                return -1;
            int f;
            if (this->single)
                f = e < n && this->test(s[e]) ? e + 1 : -1;
            else
                f = this->inner->Match(s, m, e);
            // A further repetition must advance.
            if (f <= e)
                return -1;
            e = f;
            k++;
        }
    }
};

template <class CharT>
class BasicNFAPossessiveQuantifierNode : public BasicNFAQuantifierNode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    using BasicNFAQuantifierNode<CharT>::BasicNFAQuantifierNode;
    const char *Name() const override { return TVA_NFA_NAME(PossessiveQuantifier); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (!m->StackOk())
            return -1;
        int e;
        if (this->single) {
            int k = this->Run(s, m, p, this->max);
            if (k < this->min)
                return -1;
            e = p + k;
        } else {
            std::vector<int> ends;
            if (this->Repeat(s, m, p, this->max, &ends) < 0)
                return -1;
            e = ends.back();
        }
        return this->next->Match(s, m, e);
    }
};

template <class CharT>
class BasicNFAOrNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    using Pattern = BasicPattern<CharT>;
    BasicNFAOrNode(BasicNFANode<CharT> *a, BasicNFANode<CharT> *b) : one(a), two(b) {}
    BasicNFANode<CharT> *one, *two;
    const char *Name() const override { return TVA_NFA_NAME(Or); }
    void CollectNodes(Pattern *p) override
    {
        BasicNFANode<CharT>::CollectNodes(p);
        p->AddNode(one);
        p->AddNode(two);
    }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (!m->StackOk())
            return -1;
        int r = one->Match(s, m, p);
        if (r >= 0 || m->Aborted())
            return r;
        return two->Match(s, m, p);
    }
    void Dump(int indent) const override
    {
        // Both branches end at this node's next (their shared accept node).
        std::printf("%*c%s\n", indent * 2, ' ', Name());
        std::printf("%*cfirst\n", indent * 2, ' ');
        DumpChain<CharT>(one, indent + 1, this->next);
        std::printf("%*csecond\n", indent * 2, ' ');
        DumpChain<CharT>(two, indent + 1, this->next);
    }
    const BasicNFANode<CharT> *Inner() const override { return one; }
};

template <class CharT>
class BasicNFASubStartNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    const char *Name() const override { return TVA_NFA_NAME(SubStart); }
    int Match(const String &s, Matcher *m, int p) const override { return this->Next(s, m, p); }
    bool FirstChar(CharT *c) const override { return this->next->FirstChar(c); }
};

// Records the position in one of a group's slots (start or end), restoring
// the old value when the rest fails.
template <class CharT>
class BasicNFAGroupMarkNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    using Slot = int &(Matcher::*)(int);
    BasicNFAGroupMarkNode(int g, Slot sl) : gi(g), slot(sl) {}
    int gi;
    Slot slot;
    int Match(const String &s, Matcher *m, int p) const override
    {
        int &at = (m->*slot)(gi);
        int old = at;
        at = p;
        int r = this->Next(s, m, p);
        if (r < 0)
            (m->*slot)(gi) = old;
        return r;
    }
    void Dump(int indent) const override { std::printf("%*c%s(gi=%d)\n", indent * 2, ' ', this->Name(), gi); }
    bool FirstChar(CharT *c) const override { return this->next->FirstChar(c); }
};

template <class CharT>
class BasicNFAGroupHeadNode : public BasicNFAGroupMarkNode<CharT> {
public:
    explicit BasicNFAGroupHeadNode(int g) : BasicNFAGroupMarkNode<CharT>(g, &BasicMatcher<CharT>::Start) {}
    const char *Name() const override { return TVA_NFA_NAME(GroupHead); }
    bool IsGroupHead() const override { return true; }
};

template <class CharT>
class BasicNFAGroupTailNode : public BasicNFAGroupMarkNode<CharT> {
public:
    explicit BasicNFAGroupTailNode(int g) : BasicNFAGroupMarkNode<CharT>(g, &BasicMatcher<CharT>::End) {}
    const char *Name() const override { return TVA_NFA_NAME(GroupTail); }
};

// Repetitions of a group: the prologue resets the loop state, then the loop
// node decides at the start of every iteration whether to run the inner
// chain (which ends back at the loop node) or continue after the loop.
template <class CharT>
class BasicNFAGroupLoopNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    using Pattern = BasicPattern<CharT>;
    enum { Greedy = 0, Lazy = 1, Possessive = 2 };
    BasicNFAGroupLoopNode(int g, int mn, int mx, int k) : gi(g), min(mn), max(mx), kind(k) {}
    BasicNFANode<CharT> *inner = nullptr;
    int gi, min, max, kind;

    const char *Name() const override { return TVA_NFA_NAME(GroupLoop); }
    void CollectNodes(Pattern *p) override
    {
        BasicNFANode<CharT>::CollectNodes(p);
        p->AddNode(inner);
    }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (!m->StackOk())
            return -1;
        const int cnt = m->LoopCount(gi);
        const int start = m->LoopStart(gi);
        if (cnt > 0 && start >= p)
            return After(s, m, p); // the last iteration did not advance
        if (cnt < min)
            return Iterate(s, m, p, cnt, start);
        if (cnt >= max)
            return After(s, m, p);
        int r;
        if (kind == Lazy) {
            r = After(s, m, p);
            if (r >= 0 || m->Aborted())
                return r;
            return Iterate(s, m, p, cnt, start);
        }
        r = Iterate(s, m, p, cnt, start);
        if (r >= 0 || m->Aborted())
            return r;
        return After(s, m, p);
    }
    void Dump(int indent) const override
    {
        static const char *const kinds[] = {"greedy", "reluctant", "possessive"};
        std::printf("%*c%s(gi=%d, min=%d, max=%d, type=%s)\n", indent * 2, ' ', Name(), gi, min, max,
                    kinds[kind]);
        std::printf("%*cinner\n", indent * 2, ' ');
        DumpChain<CharT>(inner, indent + 1, this);
    }
    const BasicNFANode<CharT> *Inner() const override { return inner; }

private:
    // Continues after the loop. A possessive loop runs as one independent
    // step: its prologue takes the first way the iterations end and goes on
    // from there alone, so no iteration is ever given back.
    int After(const String &s, Matcher *m, int p) const
    {
        return kind == Possessive ? p : this->next->Match(s, m, p);
    }

    int Iterate(const String &s, Matcher *m, int p, int cnt, int start) const
    {
        m->LoopCount(gi) = cnt + 1;
        m->LoopStart(gi) = p;
        int r = inner->Match(s, m, p);
        if (r < 0) {
            m->LoopCount(gi) = cnt;
            m->LoopStart(gi) = start;
        }
        return r;
    }
};

template <class CharT>
class BasicNFAGroupLoopPrologueNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    explicit BasicNFAGroupLoopPrologueNode(int g) : gi(g) {}
    int gi;
    const char *Name() const override { return TVA_NFA_NAME(GroupLoopPrologue); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (!m->StackOk())
            return -1;
        int cnt = m->LoopCount(gi), start = m->LoopStart(gi), saved = m->LoopSaved(gi);
        m->LoopCount(gi) = 0;
        m->LoopStart(gi) = -1;
        m->LoopSaved(gi) = saved;
        auto *loop = static_cast<const BasicNFAGroupLoopNode<CharT> *>(this->next);
        int r;
        if (loop->kind == BasicNFAGroupLoopNode<CharT>::Possessive) {
            // The loop node returns where the iterations end; the rest of
            // the pattern gets that one position only. The count stays saved
            // for the rest, which may re-enter this loop.
            r = loop->Match(s, m, p);
            if (r >= 0) {
                m->LoopSaved(gi) = m->LoopCount(gi);
                r = loop->next->Match(s, m, r);
            }
        } else {
            r = loop->Match(s, m, p);
        }
        if (r < 0) {
            m->LoopCount(gi) = cnt;
            m->LoopStart(gi) = start;
            m->LoopSaved(gi) = saved;
        }
        return r;
    }
    void Dump(int indent) const override { std::printf("%*c%s(gi=%d)\n", indent * 2, ' ', Name(), gi); }
};

template <class CharT>
class BasicNFALookAheadNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    using Pattern = BasicPattern<CharT>;
    BasicNFALookAheadNode(BasicNFANode<CharT> *in, bool positive) : inner(in), pos(positive) {}
    BasicNFANode<CharT> *inner;
    bool pos;
    const char *Name() const override { return TVA_NFA_NAME(LookAhead); }
    void CollectNodes(Pattern *p) override
    {
        BasicNFANode<CharT>::CollectNodes(p);
        p->AddNode(inner);
    }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (!m->StackOk())
            return -1;
        bool found = inner->Match(s, m, p) >= 0;
        if (m->Aborted() || found != pos)
            return -1;
        return this->next->Match(s, m, p);
    }
    void Dump(int indent) const override
    {
        std::printf("%*c%s(pos=%s)\n", indent * 2, ' ', Name(), pos ? "true" : "false");
        std::printf("%*cinner\n", indent * 2, ' ');
        DumpChain<CharT>(inner, indent + 1, nullptr);
    }
    const BasicNFANode<CharT> *Inner() const override { return inner; }
};

template <class CharT>
class BasicNFALookBehindNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    BasicNFALookBehindNode(const String &t, bool positive, bool ci) : text(t), pos(positive), icase(ci)
    {
        if (icase)
            for (auto &c : text)
                c = PatternChars<CharT>::Lower(c);
    }
    String text;
    bool pos, icase;
    const char *Name() const override { return TVA_NFA_NAME(LookBehind); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        bool found = static_cast<size_t>(p) >= text.size();
        for (size_t i = 0; found && i < text.size(); i++) {
            CharT c = s[p - text.size() + i];
            found = (icase ? PatternChars<CharT>::Lower(c) : c) == text[i];
        }
        if (found != pos)
            return -1;
        return this->Next(s, m, p);
    }
    void Dump(int indent) const override
    {
        std::printf("%*c%s(\"%s\", pos=%s)\n", indent * 2, ' ', Name(), PatternNarrow(text).c_str(),
                    pos ? "true" : "false");
    }
};

template <class CharT> inline bool PatternLineBreak(CharT c) { return c == CharT('\n') || c == CharT('\r'); }

template <class CharT>
class BasicNFAStartOfLineNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    const char *Name() const override { return TVA_NFA_NAME(StartOfLine); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (p == 0 || PatternLineBreak(s[p - 1]))
            return this->Next(s, m, p);
        return -1;
    }
};

template <class CharT>
class BasicNFAEndOfLineNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    const char *Name() const override { return TVA_NFA_NAME(EndOfLine); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (p == static_cast<int>(s.size()) || PatternLineBreak(s[p]))
            return this->Next(s, m, p);
        return -1;
    }
};

template <class CharT>
class BasicNFAStartOfInputNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    const char *Name() const override { return TVA_NFA_NAME(StartOfInput); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        return p == 0 ? this->Next(s, m, p) : -1;
    }
    bool IsStartOfInput() const override { return true; }
};

template <class CharT>
class BasicNFAEndOfInputNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    explicit BasicNFAEndOfInputNode(bool terminator) : term(terminator) {}
    bool term;
    const char *Name() const override { return TVA_NFA_NAME(EndOfInput); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        const int n = static_cast<int>(s.size());
        bool ok = p == n;
        if (!ok && term) {
            if (p == n - 1)
                ok = PatternLineBreak(s[p]);
            else if (p == n - 2)
                ok = s[p] == CharT('\r') && s[p + 1] == CharT('\n');
        }
        return ok ? this->Next(s, m, p) : -1;
    }
    void Dump(int indent) const override
    {
        std::printf("%*c%s(term=%s)\n", indent * 2, ' ', Name(), term ? "true" : "false");
    }
};

template <class CharT>
class BasicNFAWordBoundaryNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    explicit BasicNFAWordBoundaryNode(bool boundary) : pos(boundary) {}
    bool pos;
    const char *Name() const override { return TVA_NFA_NAME(WordBoundary); }
    static bool Letter(CharT c) { return (c >= CharT('a') && c <= CharT('z')) || (c >= CharT('A') && c <= CharT('Z')); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        if (p < static_cast<int>(s.size())) {
            bool before = p > 0 && Letter(s[p - 1]);
            if ((before != Letter(s[p])) != pos)
                return -1;
        }
        return this->Next(s, m, p);
    }
    void Dump(int indent) const override
    {
        std::printf("%*c%s(pos=%s)\n", indent * 2, ' ', Name(), pos ? "true" : "false");
    }
};

template <class CharT>
class BasicNFAEndOfMatchNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    const char *Name() const override { return TVA_NFA_NAME(EndOfMatch); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        return p == m->SearchStart() ? this->Next(s, m, p) : -1;
    }
};

template <class CharT>
class BasicNFAReferenceNode : public BasicNFANode<CharT> {
public:
    using typename BasicNFANode<CharT>::String;
    using typename BasicNFANode<CharT>::Matcher;
    explicit BasicNFAReferenceNode(int g) : gi(g) {}
    int gi;
    const char *Name() const override { return TVA_NFA_NAME(Reference); }
    int Match(const String &s, Matcher *m, int p) const override
    {
        int a = m->Start(gi), b = m->End(gi);
        if (a < 0 || b <= a)
            return this->Next(s, m, p);
        size_t len = static_cast<size_t>(b - a);
        if (s.size() - static_cast<size_t>(p) < len || s.compare(p, len, s, a, len) != 0)
            return -1;
        return this->Next(s, m, p + static_cast<int>(len));
    }
    void Dump(int indent) const override { std::printf("%*c%s(gi=%d)\n", indent * 2, ' ', Name(), gi); }
};

#define TVA_NFA_ALIASES(X)                                                                                   \
    using NFA##X##Node = BasicNFA##X##Node<char>;                                                            \
    using NFA##X##UNode = BasicNFA##X##Node<wchar_t>;

using NFANode = BasicNFANode<char>;
using NFAUNode = BasicNFANode<wchar_t>;
TVA_NFA_ALIASES(Start)
TVA_NFA_ALIASES(End)
TVA_NFA_ALIASES(Char)
TVA_NFA_ALIASES(CIChar)
TVA_NFA_ALIASES(Quote)
TVA_NFA_ALIASES(CIQuote)
TVA_NFA_ALIASES(Class)
TVA_NFA_ALIASES(CIClass)
TVA_NFA_ALIASES(Quantifier)
TVA_NFA_ALIASES(GreedyQuantifier)
TVA_NFA_ALIASES(LazyQuantifier)
TVA_NFA_ALIASES(PossessiveQuantifier)
TVA_NFA_ALIASES(Accept)
TVA_NFA_ALIASES(Or)
TVA_NFA_ALIASES(SubStart)
TVA_NFA_ALIASES(GroupHead)
TVA_NFA_ALIASES(GroupTail)
TVA_NFA_ALIASES(GroupLoopPrologue)
TVA_NFA_ALIASES(GroupLoop)
TVA_NFA_ALIASES(LookAhead)
TVA_NFA_ALIASES(LookBehind)
TVA_NFA_ALIASES(StartOfLine)
TVA_NFA_ALIASES(EndOfLine)
TVA_NFA_ALIASES(StartOfInput)
TVA_NFA_ALIASES(EndOfInput)
TVA_NFA_ALIASES(WordBoundary)
TVA_NFA_ALIASES(EndOfMatch)
TVA_NFA_ALIASES(Reference)
#undef TVA_NFA_ALIASES
