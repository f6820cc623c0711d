#pragma once

// The client proxy of the application server class TServerMethods1: one method per server method,
// generated from servermethods.def. A proxy lives for one operation on an open connection and is
// never shared between threads.
//
// Ownership: a record argument is consumed by the call (hand over a fresh copy made with
// Kopyala). Readers, streams, JSON arrays and records that a method returns belong to the proxy
// until the same method runs again through it or the proxy is destroyed.

#include "server/methodcatalogue.h"
#include "server/wiretraits.h"

#include <array>
#include <memory>

namespace vk {
class ServerConnection;
}

class TServerMethods1Client {
public:
    // Fails with ConnectionError when the connection is not open.
    explicit TServerMethods1Client(vk::ServerConnection* ADBXConnection);
    TServerMethods1Client(vk::ServerConnection* ADBXConnection, bool AInstanceOwner);
    ~TServerMethods1Client();
    TServerMethods1Client(const TServerMethods1Client&) = delete;
    TServerMethods1Client& operator=(const TServerMethods1Client&) = delete;

#define VK_PROXY_PARAM(dir, type, pname) vk::wire::T_##type::dir pname
#define VK_METHOD(name, res, ...)                                                                  \
    vk::wire::R_##res::Type name(VK_PP_MAP_LIST(VK_PROXY_PARAM, __VA_ARGS__));
#include "server/servermethods.def"
#undef VK_METHOD

    bool instanceOwner() const {
        return m_instanceOwner;
    }
    // The command prepared for a method by this proxy, or none before its first call.
    vk::ServerCommand* preparedCommand(vk::MethodId id) const;

private:
    vk::ServerCommand& prepare(vk::MethodId id);

    vk::ServerConnection* m_connection;
    bool m_instanceOwner;
    std::array<std::unique_ptr<vk::ServerCommand>, vk::kMethodCount> m_commands;
};
