#pragma once

// The demonstration data set: a deterministic function of its options, written into an empty
// store in one transaction.

#include <QDate>
#include <QList>
#include <QString>

#include <functional>

namespace vk::server {

class Store;

struct DemoSeedOptions {
    int articles = 3000;         // size of the catalogue
    quint64 seed = 1;            // same seed, articles and today give the same data
    QDate today;                 // dates of orders and movements lie before this day
    QString registerWorkstation; // when not empty, this machine identifier is registered
    QString registerAsUser;      // ... for this user (default: the first dealer user)
    std::function<void(const QString&)> progress; // one line per step, may be empty
};

struct DemoLogin {
    QString user;
    QString password;
    int type;
    QString note; // what the login shows off
};

// The documented demo logins, in the order the README lists them.
QList<DemoLogin> demoLogins();

// Fills an empty store. Raises vk::Error when the store already holds business data.
void seedDemo(Store& store, const DemoSeedOptions& options);

} // namespace vk::server
