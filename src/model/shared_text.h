// SharedText: an immutable text that copies share. The per-node records (a segment's group E,
// F and G texts, an exchange's entries and flow portions) are, across a network, mostly the
// same few texts; sharing them makes a node, and every undo snapshot of it, cost a reference
// rather than the bytes. SharedTextPool gives equal texts one shared copy.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace orvo {

class SharedText {
 public:
  SharedText() = default;
  SharedText(std::string text)  // NOLINT(google-explicit-constructor): a text stands for it
      : text_(text.empty() ? nullptr : std::make_shared<const std::string>(std::move(text))) {}
  SharedText(const char* text) : SharedText(std::string(text)) {}  // NOLINT

  const std::string& str() const { return text_ ? *text_ : Empty(); }
  operator const std::string&() const { return str(); }  // NOLINT
  operator std::string_view() const { return str(); }    // NOLINT
  size_t size() const { return str().size(); }
  bool empty() const { return str().empty(); }
  const char* c_str() const { return str().c_str(); }
  // True when both are the one shared copy (equal texts need not be).
  bool SameCopy(const SharedText& other) const { return text_ == other.text_; }

  friend bool operator==(const SharedText& a, const SharedText& b) {
    return a.text_ == b.text_ || a.str() == b.str();
  }
  friend bool operator==(const SharedText& a, const std::string& b) { return a.str() == b; }
  friend bool operator==(const SharedText& a, std::string_view b) { return a.str() == b; }
  friend bool operator==(const SharedText& a, const char* b) { return a.str() == b; }
  friend std::ostream& operator<<(std::ostream& out, const SharedText& text) {
    return out << text.str();
  }

 private:
  static const std::string& Empty() {
    static const std::string empty;
    return empty;
  }

  std::shared_ptr<const std::string> text_;
};

// Equal texts handed in come back as one shared copy. The pool holds a reference to each
// text it gave out for as long as it lives.
class SharedTextPool {
 public:
  SharedText Intern(std::string&& text) {
    if (last_ == text) return last_;
    const auto found = texts_.find(text);
    return Keep(found != texts_.end() ? found->second : Add(SharedText(std::move(text))));
  }
  SharedText Intern(std::string_view text) {
    if (last_ == text) return last_;
    const auto found = texts_.find(text);
    return Keep(found != texts_.end() ? found->second : Add(SharedText(std::string(text))));
  }
  // As Intern, keeping text itself when it is the first of its kind.
  SharedText InternShared(const SharedText& text) {
    if (last_ == text) return last_;
    const auto found = texts_.find(text.str());
    return Keep(found != texts_.end() ? found->second : Add(text));
  }

 private:
  SharedText Add(SharedText text) {
    // The key views the shared copy's own bytes, which never move or change.
    texts_.emplace(text.str(), text);
    return text;
  }
  // Runs of equal texts are common: the text given out last is checked before hashing.
  SharedText Keep(SharedText text) {
    last_ = text;
    return text;
  }

  SharedText last_;
  std::unordered_map<std::string_view, SharedText> texts_;
};

}  // namespace orvo
