#include "server/proxim.h"

#include "common/errors.h"
#include "server/connection.h"

TServerMethods1Client::TServerMethods1Client(vk::ServerConnection* ADBXConnection)
    : TServerMethods1Client(ADBXConnection, true) {}

TServerMethods1Client::TServerMethods1Client(vk::ServerConnection* ADBXConnection,
                                             bool AInstanceOwner)
    : m_connection(ADBXConnection), m_instanceOwner(AInstanceOwner) {
    if (!m_connection || !m_connection->Connected())
        throw vk::ConnectionError(QStringLiteral("Sunucu bağlantısı açık değil"));
}

TServerMethods1Client::~TServerMethods1Client() = default;

vk::ServerCommand* TServerMethods1Client::preparedCommand(vk::MethodId id) const {
    return m_commands[static_cast<int>(id)].get();
}

vk::ServerCommand& TServerMethods1Client::prepare(vk::MethodId id) {
    auto& cmd = m_commands[static_cast<int>(id)];
    if (!cmd)
        cmd = std::make_unique<vk::ServerCommand>(*m_connection, vk::methodSpec(id));
    return *cmd;
}

// Every method: set the inputs at their positions, execute, read the out-parameters at theirs,
// then the result from the position after the last parameter.
#define VK_PROXY_BIND(dir, type, pname) vk::wire::T_##type::bind##dir(vk_cmd, vk_pos++, pname);
#define VK_PROXY_FETCH(dir, type, pname) vk::wire::T_##type::fetch##dir(vk_cmd, vk_pos++, pname);
#define VK_METHOD(name, res, ...)                                                                  \
    vk::wire::R_##res::Type TServerMethods1Client::name(                                           \
        VK_PP_MAP_LIST(VK_PROXY_PARAM, __VA_ARGS__)) {                                             \
        vk::ServerCommand& vk_cmd = prepare(vk::MethodId::name);                                   \
        int vk_pos = 0;                                                                            \
        VK_PP_MAP(VK_PROXY_BIND, __VA_ARGS__)                                                      \
        vk_cmd.execute();                                                                          \
        vk_pos = 0;                                                                                \
        VK_PP_MAP(VK_PROXY_FETCH, __VA_ARGS__)                                                     \
        return vk::wire::R_##res::fetch(vk_cmd, vk_pos);                                           \
    }
#include "server/servermethods.def"
#undef VK_METHOD
