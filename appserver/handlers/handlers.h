#pragma once

// The method handlers, registered area by area.

namespace vk::server {

class Dispatcher;

void registerBasicHandlers(Dispatcher& d); // EchoString, ReverseString
void registerLoginHandlers(Dispatcher& d); // BuyukGetir

// The client version the server expects, from the settings (6 when not set).
class Store;
int expectedClientVersion(Store& store);

} // namespace vk::server
