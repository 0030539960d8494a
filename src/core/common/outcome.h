#pragma once

#include <optional>
#include <utility>
#include <variant>

namespace photara {

// The reason carried by a failed outcome; `fail(reason)` builds one.
template <class E>
struct Failed {
    E reason;
};
template <class E>
Failed<E> fail(E reason) {
    return Failed<E>{reason};
}

// The value of an operation, or the reason there is none. A failed exchange cannot be
// mistaken for an answer: the value is reachable only through a successful outcome.
template <class T, class E>
class [[nodiscard]] Outcome {
  public:
    Outcome(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Outcome(Failed<E> failed) : v_(std::in_place_index<1>, failed.reason) {}

    bool ok() const { return v_.index() == 0; }
    bool has_value() const { return ok(); }
    explicit operator bool() const { return ok(); }

    // Only on success.
    T& operator*() { return std::get<0>(v_); }
    const T& operator*() const { return std::get<0>(v_); }
    T* operator->() { return &std::get<0>(v_); }
    const T* operator->() const { return &std::get<0>(v_); }

    // Only on failure.
    E reason() const { return std::get<1>(v_); }

  private:
    std::variant<T, E> v_;
};

// An operation with no value: done, or the reason it was not.
template <class E>
class [[nodiscard]] Outcome<void, E> {
  public:
    Outcome() = default;
    Outcome(Failed<E> failed) : reason_(failed.reason) {}

    bool ok() const { return !reason_; }
    explicit operator bool() const { return ok(); }
    E reason() const { return *reason_; }

  private:
    std::optional<E> reason_;
};

}  // namespace photara
