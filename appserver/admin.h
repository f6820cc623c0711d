#pragma once

// Administration of a deployment from the command line: workstations, users, settings, and
// what dealers sent.

#include <QString>
#include <QTextStream>

namespace vk::server {

class Store;

void addWorkstation(Store& store, const QString& id, const QString& userName, const QString& note);
bool removeWorkstation(Store& store, const QString& id);
void listWorkstations(Store& store, QTextStream& out);

struct NewUser {
    QString name;
    QString password;
    int type = 3;
    int dealer = 0;         // carino; 0 for none
    int representative = 0; // satici_no; 0 for none
    bool active = true;
    QString mail;
};
int addUser(Store& store, const NewUser& user); // returns the user's number
void listUsers(Store& store, QTextStream& out);

void setSetting(Store& store, const QString& key, const QString& value);
void listSettings(Store& store, QTextStream& out);

void listOutbox(Store& store, QTextStream& out);

} // namespace vk::server
