#pragma once

#include <QCoreApplication>
#include <QObject>
#include <memory>
#include <type_traits>

namespace rt {

// A shared instance created on first use and released by setting it to nothing: Get()
// creates it when there is none, Release() drops it so that the next Get() makes a fresh one.
// QObjects are deleted with deleteLater(), so an object may release its own instance from
// inside one of its event handlers.
template <class T>
class DefaultInstance {
  public:
    static T& Get() {
        auto& slot = Slot();
        if (!slot) {
            slot.reset(new T());  // NOLINT: owned by the slot's unique_ptr
        }
        return *slot;
    }

    static bool Exists() { return static_cast<bool>(Slot()); }

    static void Release() {
        auto& slot = Slot();
        if constexpr (std::is_base_of_v<QObject, T>) {
            if (T* object = slot.release()) {
                object->deleteLater();
            }
        } else {
            slot.reset();
        }
    }

  private:
    // At the process's end an instance still held is deleted, except a QObject while the
    // application object is alive: that happens only when the platform ends the process from
    // inside the event loop (its display lost), and a window torn down then would crash.
    struct Holder {
        std::unique_ptr<T> object;
        ~Holder() {
            if constexpr (std::is_base_of_v<QObject, T>) {
                if (QCoreApplication::instance() != nullptr) {
                    (void)object.release();  // NOLINT: the process is ending
                }
            }
        }
    };

    static std::unique_ptr<T>& Slot() {
        static Holder holder;
        return holder.object;
    }
};

}  // namespace rt
