#pragma once

// A background body and its completion step on the UI thread. The completion runs only while
// the context object lives; the body must not touch widgets (it gets values, returns a value).

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

#include <type_traits>
#include <utility>

namespace vk {

template <class Body, class Done> void runTask(QObject* context, Body&& body, Done&& done) {
    using Result = std::invoke_result_t<std::decay_t<Body>>;
    auto* watcher = new QFutureWatcher<Result>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context,
                     [watcher, done = std::forward<Done>(done)]() mutable {
                         if constexpr (std::is_void_v<Result>)
                             done();
                         else
                             done(watcher->result());
                         watcher->deleteLater();
                     });
    watcher->setFuture(QtConcurrent::run(std::forward<Body>(body)));
}

} // namespace vk
