#include "Pattern.h"

#include <climits>
#include <cwchar>
#include <map>
#include <mutex>

#include "NFANode.h"

std::string PatternNarrow(const std::string &s)
{
    return s;
}

std::string PatternNarrow(const std::wstring &s)
{
    std::string out;
    std::mbstate_t st{};
    char buf[MB_LEN_MAX];
    for (wchar_t c : s) {
        size_t n = std::wcrtomb(buf, c, &st);
        if (n == static_cast<size_t>(-1)) {
            out += '?';
            st = std::mbstate_t{};
        } else {
            out.append(buf, n);
        }
    }
    return out;
}

namespace {

// Process-wide registry of named patterns and cache of compiled ones.
template <class CharT> struct PatternGlobals {
    using String = std::basic_string<CharT>;
    std::mutex registry_mu;
    std::map<String, std::pair<String, unsigned long>> registry;
    std::recursive_mutex cache_mu;
    std::map<std::pair<String, unsigned long>, std::shared_ptr<const BasicPattern<CharT>>> cache;

    static PatternGlobals &Get()
    {
        static PatternGlobals g;
        return g;
    }
};

// Cached patterns kept at most; a full cache starts over.
constexpr size_t kCacheMax = 256;
// Nesting of groups, classes and named patterns the parser accepts.
constexpr int kMaxDepth = 200;
// Repetition counts above this are rejected as malformed.
constexpr long kMaxCount = 1000000000L;

template <class CharT> CharT Ch(char c)
{
    return static_cast<CharT>(static_cast<unsigned char>(c));
}

} // namespace

template <class CharT>
class BasicPatternParser {
public:
    using String = std::basic_string<CharT>;
    using Node = BasicNFANode<CharT>;
    using C = PatternChars<CharT>;

    struct Chain {
        Node *head = nullptr;
        Node *tail = nullptr;
        void Append(Node *n)
        {
            if (!head)
                head = n;
            else
                tail->next = n;
            tail = n;
        }
        void Append(const Chain &c)
        {
            if (!c.head)
                return;
            if (!head)
                head = c.head;
            else
                tail->next = c.head;
            tail = c.tail;
        }
    };

    BasicPatternParser(BasicPattern<CharT> *pat, const String &text, unsigned long flags, int depth,
                       std::vector<String> *expanding, std::vector<std::unique_ptr<Node>> *made)
        : pat_(pat), text_(text), len_(text.size()), flags_(flags), depth_(depth), expanding_(expanding),
          made_(made)
    {
    }

    // Parses the whole text; false on a syntax error (position in ErrorPos).
    bool ParseAll(Chain *out)
    {
        if (!ParseAlternation(out))
            return false;
        if (pos_ < len_)
            return Error(pos_); // a ")" without "("
        return true;
    }

    size_t ErrorPos() const { return error_pos_; }
    size_t Pos() const { return pos_; }
    // Back references seen: (position of the escape, group index).
    const std::vector<std::pair<size_t, int>> &Refs() const { return refs_; }

    template <class N, class... A> N *Make(A &&...args)
    {
        N *n = new N(std::forward<A>(args)...);
        made_->emplace_back(n);
        return n;
    }

private:
    struct Element {
        enum Kind { None, Single, Group } kind = None;
        Chain chain;
        int gi = 0; // capturing group index, 0 when not capturing
    };

    bool Error(size_t at)
    {
        error_pos_ = at;
        return false;
    }
    bool Ci() const { return flags_ & BasicPattern<CharT>::IgnoreCase; }
    bool At(char c) const { return pos_ < len_ && text_[pos_] == Ch<CharT>(c); }
    static bool IsDigit(CharT c) { return c >= CharT('0') && c <= CharT('9'); }
    static int HexValue(CharT c)
    {
        if (IsDigit(c))
            return static_cast<int>(c - CharT('0'));
        if (c >= CharT('a') && c <= CharT('f'))
            return static_cast<int>(c - CharT('a')) + 10;
        if (c >= CharT('A') && c <= CharT('F'))
            return static_cast<int>(c - CharT('A')) + 10;
        return -1;
    }
    static bool IsOctal(CharT c) { return c >= CharT('0') && c <= CharT('7'); }

    Node *CharNode(CharT c)
    {
        if (Ci())
            return Make<BasicNFACICharNode<CharT>>(c);
        return Make<BasicNFACharNode<CharT>>(c);
    }
    Node *ClassNode(const CharSet &set)
    {
        if (Ci())
            return Make<BasicNFACIClassNode<CharT>>(set, false);
        return Make<BasicNFAClassNode<CharT>>(set, false);
    }
    // Complement within 0..255; under IgnoreCase the other case of every
    // listed ASCII letter is left out too.
    void Complement(CharSet *set) const
    {
        if (Ci()) {
            for (uint32_t c = 'a'; c <= 'z'; c++) {
                if (set->Has(c) || set->Has(c - 32)) {
                    set->Add(c);
                    set->Add(c - 32);
                }
            }
        }
        set->Complement255();
    }

    bool ParseAlternation(Chain *out)
    {
        // Alternatives are collected in a loop (not by recursion) so that a
        // long list of them costs no parser stack.
        std::vector<Chain> branches(1);
        if (!ParseSequence(&branches.back()))
            return false;
        while (At('|')) {
            pos_++;
            branches.emplace_back();
            if (!ParseSequence(&branches.back()))
                return false;
        }
        if (branches.size() == 1) {
            *out = branches[0];
            return true;
        }
        auto *accept = Make<BasicNFAAcceptNode<CharT>>();
        auto start = [&](Chain &b) -> Node * {
            if (!b.head)
                return accept;
            b.tail->next = accept;
            return b.head;
        };
        Node *rest = start(branches.back());
        for (size_t i = branches.size() - 1; i-- > 0;) {
            auto *alt = Make<BasicNFAOrNode<CharT>>(start(branches[i]), rest);
            alt->next = accept;
            rest = alt;
        }
        out->head = rest;
        out->tail = accept;
        return true;
    }

    bool ParseSequence(Chain *out)
    {
        while (pos_ < len_) {
            CharT c = text_[pos_];
            if (c == CharT('|'))
                break;
            if (c == CharT(')')) {
                if (groups_open_ == 0)
                    return Error(pos_);
                break;
            }
            Element el;
            if (!ParseElement(&el))
                return false;
            if (el.kind == Element::None)
                continue;
            if (!ParseQuantifier(&el))
                return false;
            out->Append(el.chain);
        }
        return true;
    }

    bool ParseElement(Element *el)
    {
        CharT c = text_[pos_];
        switch (static_cast<uint32_t>(c)) {
        case '(':
            return ParseGroup(el);
        case '[': {
            pos_++;
            CharSet set;
            if (!ParseClass(&set))
                return false;
            return Single(el, ClassNode(set));
        }
        case '.': {
            pos_++;
            CharSet set;
            if (!(flags_ & BasicPattern<CharT>::DotAll)) {
                set.Add('\n');
                if (!(flags_ & BasicPattern<CharT>::UnixLines))
                    set.Add('\r');
            }
            return Single(el, Make<BasicNFAClassNode<CharT>>(set, true));
        }
        case '^':
            pos_++;
            if (flags_ & BasicPattern<CharT>::Multiline)
                return Single(el, Make<BasicNFAStartOfLineNode<CharT>>());
            return Single(el, Make<BasicNFAStartOfInputNode<CharT>>());
        case '$':
            pos_++;
            if (flags_ & BasicPattern<CharT>::Multiline)
                return Single(el, Make<BasicNFAEndOfLineNode<CharT>>());
            return Single(el, Make<BasicNFAEndOfInputNode<CharT>>(false));
        case '\\':
            return ParseEscape(el);
        case '{':
            return ParseNamed(el);
        case '*':
        case '+':
        case '?':
        case ']':
        case '}':
            return Error(pos_);
        default:
            pos_++;
            return Single(el, CharNode(c));
        }
    }

    bool Single(Element *el, Node *n)
    {
        el->kind = Element::Single;
        el->chain = Chain();
        el->chain.Append(n);
        return true;
    }

    // Reads a decimal count at pos_; false when there is none. A count too
    // large is an error (noted in *bad).
    bool ReadCount(long *v, bool *bad)
    {
        if (pos_ >= len_ || !IsDigit(text_[pos_]))
            return false;
        long n = 0;
        while (pos_ < len_ && IsDigit(text_[pos_])) {
            n = n * 10 + static_cast<long>(text_[pos_] - CharT('0'));
            if (n > kMaxCount) {
                *bad = true;
                return true;
            }
            pos_++;
        }
        *v = n;
        return true;
    }

    bool ParseQuantifier(Element *el)
    {
        if (pos_ >= len_)
            return true;
        long min, max;
        switch (static_cast<uint32_t>(text_[pos_])) {
        case '*': min = 0; max = INT_MAX; pos_++; break;
        case '+': min = 1; max = INT_MAX; pos_++; break;
        case '?': min = 0; max = 1; pos_++; break;
        case '{': {
            // Only digits or a comma make braces a quantifier; "{name}"
            // after an element is the next element.
            if (pos_ + 1 >= len_ || !(IsDigit(text_[pos_ + 1]) || text_[pos_ + 1] == CharT(',')))
                return true;
            size_t open = pos_++;
            bool bad = false, has_min, has_max = false;
            min = 0;
            max = INT_MAX;
            has_min = ReadCount(&min, &bad);
            if (bad)
                return Error(pos_);
            if (At(',')) {
                pos_++;
                has_max = ReadCount(&max, &bad);
                if (bad)
                    return Error(pos_);
            } else if (has_min) {
                max = min;
                has_max = true;
            }
            if (pos_ >= len_)
                return Error(open); // "{" without "}"
            if (!At('}') || (!has_min && !has_max) || min > max)
                return Error(pos_);
            pos_++;
            break;
        }
        default:
            return true;
        }
        int kind = BasicNFAGroupLoopNode<CharT>::Greedy;
        if (At('?')) {
            kind = BasicNFAGroupLoopNode<CharT>::Lazy;
            pos_++;
        } else if (At('+')) {
            kind = BasicNFAGroupLoopNode<CharT>::Possessive;
            pos_++;
        }
        int mn = static_cast<int>(min), mx = static_cast<int>(max);
        if (el->kind == Element::Single) {
            Node *inner = el->chain.head;
            inner->next = Make<BasicNFAAcceptNode<CharT>>();
            Node *q;
            if (kind == BasicNFAGroupLoopNode<CharT>::Lazy)
                q = Make<BasicNFALazyQuantifierNode<CharT>>(inner, mn, mx);
            else if (kind == BasicNFAGroupLoopNode<CharT>::Possessive)
                q = Make<BasicNFAPossessiveQuantifierNode<CharT>>(inner, mn, mx);
            else
                q = Make<BasicNFAGreedyQuantifierNode<CharT>>(inner, mn, mx);
            el->chain = Chain();
            el->chain.Append(q);
            return true;
        }
        int gi = el->gi ? el->gi : -(++pat_->noncap_count_);
        auto *prologue = Make<BasicNFAGroupLoopPrologueNode<CharT>>(gi);
        auto *loop = Make<BasicNFAGroupLoopNode<CharT>>(gi, mn, mx, kind);
        loop->inner = el->chain.head;
        el->chain.tail->next = loop;
        prologue->next = loop;
        el->chain.head = prologue;
        el->chain.tail = loop;
        return true;
    }

    // Parses up to the ")" closing a group opened at OPEN.
    bool ParseBody(Chain *body, size_t open)
    {
        if (depth_ + groups_open_ >= kMaxDepth)
            return Error(open);
        groups_open_++;
        bool ok = ParseAlternation(body);
        groups_open_--;
        if (!ok)
            return false;
        if (!At(')'))
            return Error(pos_); // unclosed group
        pos_++;
        return true;
    }

    // A group's chain: a leading node, then the body (which may be empty).
    Chain Wrap(Node *lead, const Chain &body)
    {
        Chain c;
        c.Append(lead);
        c.Append(body);
        return c;
    }

    // BODY followed by an accept node that ends it.
    Node *Closed(Chain body)
    {
        body.Append(Make<BasicNFAAcceptNode<CharT>>());
        return body.head;
    }

    bool ParseGroup(Element *el)
    {
        const size_t open = pos_++;
        const unsigned long saved = flags_;
        Chain body;
        el->kind = Element::Group;
        if (!At('?')) {
            int gi = pat_->group_count_++;
            if (!ParseBody(&body, open))
                return false;
            el->gi = gi;
            el->chain = Wrap(Make<BasicNFAGroupHeadNode<CharT>>(gi), body);
            el->chain.Append(Make<BasicNFAGroupTailNode<CharT>>(gi));
            flags_ = saved;
            return true;
        }
        pos_++;
        if (pos_ >= len_)
            return Error(pos_);
        CharT c = text_[pos_];
        switch (static_cast<uint32_t>(c)) {
        case ':':
            pos_++;
            if (!ParseBody(&body, open))
                return false;
            el->chain = Wrap(Make<BasicNFASubStartNode<CharT>>(), body);
            break;
        case '=':
        case '!': {
            pos_++;
            if (!ParseBody(&body, open))
                return false;
            el->chain = Chain();
            el->chain.Append(Make<BasicNFALookAheadNode<CharT>>(Closed(body), c == CharT('=')));
            break;
        }
        case '>': {
            pos_++;
            if (!ParseBody(&body, open))
                return false;
            // An independent group is its body taken once, never given back.
            el->chain = Chain();
            el->chain.Append(Make<BasicNFAPossessiveQuantifierNode<CharT>>(Closed(body), 1, 1));
            break;
        }
        case '<': {
            pos_++;
            if (!At('=') && !At('!'))
                return Error(pos_);
            bool positive = At('=');
            pos_++;
            String lit;
            while (pos_ < len_ && !At(')')) {
                if (At('\\') && pos_ + 1 < len_)
                    pos_++;
                lit += text_[pos_++];
            }
            if (pos_ >= len_)
                return Error(pos_);
            pos_++;
            el->chain = Chain();
            el->chain.Append(Make<BasicNFALookBehindNode<CharT>>(lit, positive, Ci()));
            break;
        }
        default: {
            unsigned long on = 0, off = 0, *target = &on;
            for (;; pos_++) {
                if (pos_ >= len_)
                    return Error(pos_);
                switch (static_cast<uint32_t>(text_[pos_])) {
                case 'i': *target |= BasicPattern<CharT>::IgnoreCase; continue;
                case 's': *target |= BasicPattern<CharT>::DotAll; continue;
                case 'm': *target |= BasicPattern<CharT>::Multiline; continue;
                case 'd': *target |= BasicPattern<CharT>::UnixLines; continue;
                case '-':
                    if (target == &off)
                        return Error(pos_);
                    target = &off;
                    continue;
                case ')':
                case ':':
                    break;
                default:
                    return Error(pos_); // unknown "(?" form
                }
                break;
            }
            flags_ = (flags_ | on) & ~off;
            if (At(')')) {
                // Switches the flags for the rest of the enclosing group.
                pos_++;
                el->kind = Element::None;
                return true;
            }
            pos_++;
            if (!ParseBody(&body, open))
                return false;
            el->chain = Wrap(Make<BasicNFASubStartNode<CharT>>(), body);
            break;
        }
        }
        flags_ = saved;
        return true;
    }

    // Named classes of \p and \P.
    static bool NamedClass(const String &name, CharSet *set)
    {
        std::string n;
        for (CharT c : name) {
            if (C::Code(c) > 127)
                return false;
            n += static_cast<char>(c);
        }
        auto letters = [&] {
            set->AddRange('a', 'z');
            set->AddRange('A', 'Z');
        };
        auto punct = [&] {
            set->AddRange('!', '/');
            set->AddRange(':', '@');
            set->AddRange('[', '`');
            set->AddRange('{', '~');
        };
        if (n == "Lower")
            set->AddRange('a', 'z');
        else if (n == "Upper")
            set->AddRange('A', 'Z');
        else if (n == "Alpha")
            letters();
        else if (n == "Digit")
            set->AddRange('0', '9');
        else if (n == "Alnum") {
            letters();
            set->AddRange('0', '9');
        } else if (n == "Punct")
            punct();
        else if (n == "Graph" || n == "Print") {
            letters();
            set->AddRange('0', '9');
            punct();
        } else if (n == "Blank") {
            set->Add(' ');
            set->Add('\t');
        } else if (n == "Space") {
            set->Add(' ');
            set->AddRange('\t', '\r');
        } else if (n == "Cntrl") {
            set->AddRange(0, 31);
            set->Add(127);
        } else if (n == "ASCII")
            set->AddRange(0, 127);
        else if (n == "XDigit") {
            set->AddRange('0', '9');
            set->AddRange('a', 'f');
            set->AddRange('A', 'F');
        } else
            return false;
        return true;
    }

    // After "\p" or "\P": "{Name}".
    bool ParseNamedClass(CharSet *set)
    {
        if (!At('{'))
            return Error(pos_);
        size_t open = pos_;
        size_t close = text_.find(Ch<CharT>('}'), open);
        if (close == String::npos)
            return Error(open);
        if (!NamedClass(text_.substr(open + 1, close - open - 1), set))
            return Error(open + 1);
        pos_ = close + 1;
        return true;
    }

    // A class escape (\d \D \s \S \w \W \p \P) after the backslash at pos_-1:
    // 1 with *set filled, 0 when D is not one, -1 on error.
    int ClassEscape(CharT d, CharSet *set)
    {
        switch (static_cast<uint32_t>(d)) {
        case 'd':
        case 'D':
            set->AddRange('0', '9');
            break;
        case 's':
        case 'S':
            set->Add(' ');
            set->Add('\t');
            set->Add('\r');
            set->Add('\n');
            set->Add('\f');
            break;
        case 'w':
        case 'W':
            set->AddRange('a', 'z');
            set->AddRange('A', 'Z');
            set->AddRange('0', '9');
            set->Add('_');
            break;
        case 'p':
        case 'P':
            if (!ParseNamedClass(set))
                return -1;
            break;
        default:
            return 0;
        }
        if (d == CharT('D') || d == CharT('S') || d == CharT('W') || d == CharT('P'))
            Complement(set);
        return 1;
    }

    // A character escape after the backslash at pos_-1 (D already consumed):
    // 1 with *out set, -1 on error.
    int CharEscape(CharT d, CharT *out)
    {
        switch (static_cast<uint32_t>(d)) {
        case 't': *out = CharT('\t'); return 1;
        case 'r': *out = CharT('\r'); return 1;
        case 'n': *out = CharT('\n'); return 1;
        case 'f': *out = CharT('\f'); return 1;
        case 'a': *out = CharT('\a'); return 1;
        case 'e': *out = CharT('\r'); return 1;
        case '0': {
            if (pos_ + 1 >= len_ || !IsOctal(text_[pos_]) || !IsOctal(text_[pos_ + 1])) {
                Error(pos_ < len_ && IsOctal(text_[pos_]) ? pos_ + 1 : pos_);
                return -1;
            }
            uint32_t v = static_cast<uint32_t>(text_[pos_] - CharT('0'));
            bool three = v <= 3;
            v = v * 8 + static_cast<uint32_t>(text_[pos_ + 1] - CharT('0'));
            pos_ += 2;
            if (three && pos_ < len_ && IsOctal(text_[pos_]))
                v = v * 8 + static_cast<uint32_t>(text_[pos_++] - CharT('0'));
            *out = C::FromCode(v);
            return 1;
        }
        case 'x': {
            int hi = pos_ < len_ ? HexValue(text_[pos_]) : -1;
            int lo = pos_ + 1 < len_ ? HexValue(text_[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0) {
                Error(hi < 0 ? pos_ : pos_ + 1);
                return -1;
            }
            pos_ += 2;
            *out = C::FromCode(static_cast<uint32_t>(hi * 16 + lo));
            return 1;
        }
        default:
            *out = d;
            return 1;
        }
    }

    bool ParseEscape(Element *el)
    {
        size_t at = pos_;
        if (pos_ + 1 >= len_)
            return Error(pos_); // backslash at the end
        CharT d = text_[pos_ + 1];
        pos_ += 2;
        switch (static_cast<uint32_t>(d)) {
        case 'A': return Single(el, Make<BasicNFAStartOfInputNode<CharT>>());
        case 'z': return Single(el, Make<BasicNFAEndOfInputNode<CharT>>(false));
        case 'Z': return Single(el, Make<BasicNFAEndOfInputNode<CharT>>(true));
        case 'b': return Single(el, Make<BasicNFAWordBoundaryNode<CharT>>(true));
        case 'B': return Single(el, Make<BasicNFAWordBoundaryNode<CharT>>(false));
        case 'G': return Single(el, Make<BasicNFAEndOfMatchNode<CharT>>());
        case 'Q': {
            String lit;
            while (pos_ < len_ && !(At('\\') && pos_ + 1 < len_ && text_[pos_ + 1] == CharT('E')))
                lit += text_[pos_++];
            if (pos_ < len_)
                pos_ += 2;
            if (Ci())
                return Single(el, Make<BasicNFACIQuoteNode<CharT>>(lit));
            return Single(el, Make<BasicNFAQuoteNode<CharT>>(lit));
        }
        default:
            break;
        }
        if (d >= CharT('1') && d <= CharT('9')) {
            long gi = static_cast<long>(d - CharT('0'));
            long opened = pat_->group_count_ - 1;
            while (pos_ < len_ && IsDigit(text_[pos_]) && (gi < 10 || gi < opened) && gi < kMaxCount / 10)
                gi = gi * 10 + static_cast<long>(text_[pos_++] - CharT('0'));
            refs_.emplace_back(at, static_cast<int>(gi));
            return Single(el, Make<BasicNFAReferenceNode<CharT>>(static_cast<int>(gi)));
        }
        CharSet set;
        int r = ClassEscape(d, &set);
        if (r < 0)
            return false;
        if (r > 0)
            return Single(el, ClassNode(set));
        CharT c;
        if (CharEscape(d, &c) < 0)
            return false;
        return Single(el, CharNode(c));
    }

    // One member of a class at pos_: 1 a single character (*c), 2 a set
    // (*set), 0 on error.
    int ClassAtom(CharT *c, CharSet *set)
    {
        if (!At('\\')) {
            *c = text_[pos_++];
            return 1;
        }
        if (pos_ + 1 >= len_) {
            Error(pos_);
            return 0;
        }
        CharT d = text_[pos_ + 1];
        pos_ += 2;
        int r = ClassEscape(d, set);
        if (r < 0)
            return 0;
        if (r > 0)
            return 2;
        return CharEscape(d, c) < 0 ? 0 : 1;
    }

    // The class after "[" up to its "]".
    bool ParseClass(CharSet *out)
    {
        if (depth_ + groups_open_ + class_depth_ >= kMaxDepth)
            return Error(pos_ - 1);
        bool neg = At('^');
        if (neg)
            pos_++;
        CharSet set;
        bool first = true;
        for (;;) {
            if (pos_ >= len_)
                return Error(pos_); // unclosed class
            if (At(']') && !first) {
                pos_++;
                break;
            }
            first = false;
            bool intersect = At('&') && pos_ + 2 < len_ && text_[pos_ + 1] == CharT('&') &&
                             text_[pos_ + 2] == CharT('[');
            if (At('[') || intersect) {
                pos_ += intersect ? 3 : 1;
                CharSet sub;
                class_depth_++;
                bool ok = ParseClass(&sub);
                class_depth_--;
                if (!ok)
                    return false;
                if (intersect)
                    set.Intersect(sub);
                else
                    set.Union(sub);
                continue;
            }
            CharT lo;
            CharSet sub;
            int kind = ClassAtom(&lo, &sub);
            if (kind == 0)
                return false;
            bool range = At('-') && pos_ + 1 < len_ && text_[pos_ + 1] != CharT(']');
            if (kind == 2) {
                if (range)
                    return Error(pos_); // a range from a class
                set.Union(sub);
                continue;
            }
            if (!range) {
                set.Add(C::Code(lo));
                continue;
            }
            pos_++;
            size_t hi_at = pos_;
            CharT hi;
            kind = ClassAtom(&hi, &sub);
            if (kind == 0)
                return false;
            if (kind == 2 || C::Code(hi) < C::Code(lo))
                return Error(hi_at); // bad class range
            set.AddRange(C::Code(lo), C::Code(hi));
        }
        if (neg)
            Complement(&set);
        *out = set;
        return true;
    }

    static bool QuantifierLike(const String &s)
    {
        if (s.empty())
            return false;
        int commas = 0;
        for (CharT c : s) {
            if (c == CharT(','))
                commas++;
            else if (!IsDigit(c))
                return false;
        }
        return commas <= 1;
    }

    // "{name}" in place of an element: the registered pattern, parsed here
    // with its own flags.
    bool ParseNamed(Element *el)
    {
        const size_t open = pos_;
        size_t close = text_.find(Ch<CharT>('}'), open + 1);
        if (close == String::npos)
            return Error(open);
        String name = text_.substr(open + 1, close - open - 1);
        if (QuantifierLike(name))
            return Error(open); // a quantifier where an element is expected
        String named;
        unsigned long nflags;
        {
            auto &g = PatternGlobals<CharT>::Get();
            std::lock_guard<std::mutex> lock(g.registry_mu);
            auto it = g.registry.find(name);
            if (it == g.registry.end())
                return Error(open + 1);
            named = it->second.first;
            nflags = it->second.second;
        }
        if (depth_ + groups_open_ + 1 >= kMaxDepth)
            return Error(open);
        for (const auto &n : *expanding_)
            if (n == name)
                return Error(open + 1); // refers to itself
        expanding_->push_back(name);
        BasicPatternParser sub(pat_, named, nflags, depth_ + groups_open_ + 1, expanding_, made_);
        Chain body;
        bool ok = sub.ParseAll(&body);
        expanding_->pop_back();
        if (!ok)
            return Error(open);
        for (const auto &r : sub.Refs())
            refs_.emplace_back(open, r.second);
        pos_ = close + 1;
        el->kind = Element::Group;
        el->chain = Wrap(Make<BasicNFASubStartNode<CharT>>(), body);
        return true;
    }

    BasicPattern<CharT> *pat_;
    const String &text_;
    const size_t len_;
    size_t pos_ = 0;
    unsigned long flags_;
    int depth_;
    int groups_open_ = 0;
    int class_depth_ = 0;
    size_t error_pos_ = 0;
    std::vector<String> *expanding_;
    std::vector<std::unique_ptr<Node>> *made_;
    std::vector<std::pair<size_t, int>> refs_;
};

template <class CharT>
BasicPattern<CharT>::BasicPattern(const String &text, unsigned long flags) : text_(text), flags_(flags)
{
}

template <class CharT> BasicPattern<CharT>::~BasicPattern()
{
    own_matcher_.reset();
    for (Node *n : nodes_)
        delete n;
}

template <class CharT> bool BasicPattern<CharT>::AddNode(Node *node)
{
    if (!node || !nodes_.insert(node).second)
        return false;
    pending_.push_back(node);
    return true;
}

namespace {

template <class CharT> void PrintSyntaxError(const std::basic_string<CharT> &text, size_t at)
{
    static const char meta[] = ")*+?]}";
    bool is_meta = false;
    if (at < text.size()) {
        uint32_t c = PatternChars<CharT>::Code(text[at]);
        for (const char *m = meta; *m; m++)
            is_meta = is_meta || c == static_cast<unsigned char>(*m);
    }
    std::string shown = PatternNarrow(text);
    std::fprintf(stderr, "%s\n%*c^\n", shown.c_str(), static_cast<int>(at), ' ');
    std::fputs(is_meta ? "Syntax Error near here. Possible unescaped meta character.\n" : "Syntax Error near here. \n",
               stderr);
}

} // namespace

template <class CharT>
std::unique_ptr<BasicPattern<CharT>> BasicPattern<CharT>::Compile(const String &text, unsigned long flags)
{
    using Parser = BasicPatternParser<CharT>;
    std::unique_ptr<BasicPattern> pat(new BasicPattern(text, flags));
    std::vector<std::unique_ptr<Node>> made;
    std::vector<String> expanding;
    Parser parser(pat.get(), pat->text_, flags, 0, &expanding, &made);
    typename Parser::Chain chain;
    if (flags & Literal) {
        if (flags & IgnoreCase)
            chain.Append(parser.template Make<BasicNFACIQuoteNode<CharT>>(text));
        else
            chain.Append(parser.template Make<BasicNFAQuoteNode<CharT>>(text));
    } else {
        bool ok = parser.ParseAll(&chain);
        size_t at = parser.ErrorPos();
        for (const auto &r : parser.Refs()) {
            if (!ok)
                break;
            if (r.second >= pat->group_count_) {
                ok = false; // a reference to a group the pattern does not have
                at = r.first;
            }
        }
        pat->parse_pos_ = ok ? parser.Pos() : at;
        if (!ok) {
            pat->error_ = true;
            PrintSyntaxError(text, at);
            return nullptr;
        }
    }
    typename Parser::Chain full;
    if (!chain.head || !chain.head->IsStartOfInput())
        full.Append(parser.template Make<BasicNFAStartNode<CharT>>());
    full.Append(chain);
    full.Append(parser.template Make<BasicNFAEndNode<CharT>>());
    pat->head_ = full.head;

    // Take ownership of every node reachable from the head; the rest (none,
    // normally) goes with MADE.
    pat->AddNode(pat->head_);
    while (!pat->pending_.empty()) {
        Node *n = pat->pending_.back();
        pat->pending_.pop_back();
        n->CollectNodes(pat.get());
    }
    for (auto &n : made)
        if (pat->nodes_.count(n.get()))
            n.release();
    return pat;
}

template <class CharT>
std::unique_ptr<BasicMatcher<CharT>> BasicPattern<CharT>::NewMatcher(const String &subject) const
{
    return std::make_unique<Matcher>(this, subject);
}

template <class CharT> void BasicPattern<CharT>::Dump() const
{
    DumpChain<CharT>(head_, 0, nullptr);
}

template <class CharT>
std::shared_ptr<const BasicPattern<CharT>> BasicPattern<CharT>::Cached(const String &text, unsigned long flags)
{
    auto &g = PatternGlobals<CharT>::Get();
    std::lock_guard<std::recursive_mutex> lock(g.cache_mu);
    auto key = std::make_pair(text, flags);
    auto it = g.cache.find(key);
    if (it != g.cache.end())
        return it->second;
    std::shared_ptr<const BasicPattern> p(Compile(text, flags));
    if (!p)
        return nullptr;
    if (g.cache.size() >= kCacheMax)
        g.cache.clear();
    g.cache.emplace(std::move(key), p);
    return p;
}

template <class CharT> void BasicPattern<CharT>::ClearCache()
{
    auto &g = PatternGlobals<CharT>::Get();
    std::lock_guard<std::recursive_mutex> lock(g.cache_mu);
    g.cache.clear();
}

template <class CharT>
bool BasicPattern<CharT>::Matches(const String &text, const String &subject, unsigned long flags)
{
    auto &g = PatternGlobals<CharT>::Get();
    std::lock_guard<std::recursive_mutex> lock(g.cache_mu);
    auto p = Cached(text, flags);
    if (!p)
        return false;
    // The pattern's own matcher serves the static test (under the cache lock).
    if (!p->own_matcher_)
        p->own_matcher_ = p->NewMatcher(subject);
    else
        p->own_matcher_->SetText(subject);
    return p->own_matcher_->Matches();
}

template <class CharT>
std::vector<std::basic_string<CharT>> BasicPattern<CharT>::FindAll(const String &text, const String &subject,
                                                                  unsigned long flags)
{
    auto p = Cached(text, flags);
    if (!p)
        return {};
    return p->NewMatcher(subject)->FindAll();
}

template <class CharT>
std::optional<std::basic_string<CharT>> BasicPattern<CharT>::FindNthMatch(const String &text, const String &subject,
                                                                         int n, unsigned long flags)
{
    auto p = Cached(text, flags);
    if (!p || n < 0)
        return std::nullopt;
    auto m = p->NewMatcher(subject);
    for (int i = 0; m->FindNext(); i++)
        if (i == n)
            return m->Group(0);
    return std::nullopt;
}

template <class CharT>
std::basic_string<CharT> BasicPattern<CharT>::Replace(const String &text, const String &subject,
                                                     const String &replacement, unsigned long flags)
{
    auto p = Cached(text, flags);
    if (!p)
        return subject;
    auto m = p->NewMatcher(subject);
    String out;
    size_t last = 0;
    while (m->FindNext()) {
        out.append(subject, last, static_cast<size_t>(m->GroupStart(0)) - last);
        for (size_t i = 0; i < replacement.size(); i++) {
            CharT c = replacement[i];
            if (c != CharT('\\') || i + 1 >= replacement.size()) {
                out += c;
                continue;
            }
            CharT d = replacement[++i];
            if (d < CharT('0') || d > CharT('9')) {
                out += d;
                continue;
            }
            // Further digits extend the number while it names a group.
            int gi = static_cast<int>(d - CharT('0'));
            while (i + 1 < replacement.size() && replacement[i + 1] >= CharT('0') &&
                   replacement[i + 1] <= CharT('9')) {
                int more = gi * 10 + static_cast<int>(replacement[i + 1] - CharT('0'));
                if (more >= m->GroupCount())
                    break;
                gi = more;
                i++;
            }
            out += m->Group(gi);
        }
        last = static_cast<size_t>(m->GroupEnd(0));
    }
    out.append(subject, last, String::npos);
    return out;
}

template <class CharT>
std::vector<std::basic_string<CharT>> BasicPattern<CharT>::Split(const String &text, const String &subject,
                                                                bool keep_empty, int limit, unsigned long flags)
{
    std::vector<String> out;
    auto p = Cached(text, flags);
    if (!p) {
        out.push_back(subject);
        return out;
    }
    auto m = p->NewMatcher(subject);
    size_t last = 0;
    while ((limit <= 0 || static_cast<int>(out.size()) < limit - 1) && m->FindNext()) {
        String piece = subject.substr(last, static_cast<size_t>(m->GroupStart(0)) - last);
        if (keep_empty || !piece.empty())
            out.push_back(piece);
        last = static_cast<size_t>(m->GroupEnd(0));
    }
    String rest = subject.substr(last);
    if (keep_empty || !rest.empty())
        out.push_back(rest);
    return out;
}

template <class CharT>
bool BasicPattern<CharT>::RegisterPattern(const String &name, const String &text, unsigned long flags)
{
    if (name.empty() || name.find(Ch<CharT>('}')) != String::npos)
        return false;
    if (!Compile(text, flags))
        return false;
    auto &g = PatternGlobals<CharT>::Get();
    {
        std::lock_guard<std::mutex> lock(g.registry_mu);
        g.registry[name] = std::make_pair(text, flags);
    }
    // Cached patterns may have expanded the old text.
    ClearCache();
    return true;
}

template <class CharT> void BasicPattern<CharT>::UnregisterPattern(const String &name)
{
    auto &g = PatternGlobals<CharT>::Get();
    {
        std::lock_guard<std::mutex> lock(g.registry_mu);
        g.registry.erase(name);
    }
    ClearCache();
}

template <class CharT> void BasicPattern<CharT>::ClearRegisteredPatterns()
{
    auto &g = PatternGlobals<CharT>::Get();
    {
        std::lock_guard<std::mutex> lock(g.registry_mu);
        g.registry.clear();
    }
    ClearCache();
}

template class BasicPattern<char>;
template class BasicPattern<wchar_t>;
