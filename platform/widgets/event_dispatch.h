// Where exceptions stop: every event this layer delivers to a handler runs
// through Dispatch, so an exception that escapes a handler is shown in the
// standard exception box and the program goes on. Nothing is thrown through
// Qt's event loop. Internal to this layer.
#ifndef KOMBREL_PLATFORM_WIDGETS_EVENT_DISPATCH_H
#define KOMBREL_PLATFORM_WIDGETS_EVENT_DISPATCH_H

#include <exception>
#include <string>
#include <type_traits>
#include <utility>

// The text shown for an exception that carries no message of its own.
std::string ExceptionMessage(std::exception_ptr error);

// Shows the standard exception box for `message`; never throws.
void ShowExceptionBox(const std::string &message) noexcept;

// Shows the box once the event loop is next idle; for events delivered while
// Qt paints, where a modal box cannot open. While one such box is pending or
// open, further reports are dropped, so a handler that fails on every paint
// does not pile up boxes.
void ShowExceptionBoxLater(const std::string &message) noexcept;

// Whether `handler` is an event with no handler bound.
template <class Handler>
bool Unbound(const Handler &handler)
{
    if constexpr (std::is_constructible_v<bool, const Handler &>)
        return !static_cast<bool>(handler);
    return false;
}

template <class Handler, class... Args>
void Dispatch(const Handler &handler, Args &&...args) noexcept
{
    if (Unbound(handler))
        return;
    try {
        handler(std::forward<Args>(args)...);
    } catch (...) {
        ShowExceptionBox(ExceptionMessage(std::current_exception()));
    }
}

template <class Handler, class... Args>
void DispatchWhilePainting(const Handler &handler, Args &&...args) noexcept
{
    if (Unbound(handler))
        return;
    try {
        handler(std::forward<Args>(args)...);
    } catch (...) {
        ShowExceptionBoxLater(ExceptionMessage(std::current_exception()));
    }
}

#endif
