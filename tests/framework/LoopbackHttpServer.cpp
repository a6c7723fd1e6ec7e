// Built on its own (no unity batch, no precompiled header): winsock2.h
// must come before windows.h.
#include <winsock2.h>

#include "LoopbackHttpServer.h"

#include <string.h>

namespace
{

SOCKET ListenOnLoopback(unsigned short* pnPort)
{
    SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int cbAddress = sizeof(address);
    if (listener == INVALID_SOCKET || ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &cbAddress) != 0 ||
        ::listen(listener, SOMAXCONN) != 0)
    {
        if (listener != INVALID_SOCKET)
            ::closesocket(listener);
        return INVALID_SOCKET;
    }
    *pnPort = ntohs(address.sin_port);
    return listener;
}

// The request head, up to its blank line.
std::string ReceiveRequestHead(SOCKET client)
{
    std::string head;
    char buffer[1024];
    while (head.find("\r\n\r\n") == std::string::npos)
    {
        int nReceived = ::recv(client, buffer, sizeof(buffer), 0);
        if (nReceived <= 0)
            break;
        head.append(buffer, static_cast<size_t>(nReceived));
    }
    return head;
}

// "GET /path HTTP/1.1": the path.
std::string RequestPath(const std::string& head)
{
    size_t nStart = head.find(' ');
    size_t nEnd = nStart == std::string::npos ? std::string::npos : head.find(' ', nStart + 1);
    return nEnd == std::string::npos ? std::string() : head.substr(nStart + 1, nEnd - nStart - 1);
}

void SendAll(SOCKET client, const std::string& bytes)
{
    for (size_t nSent = 0; nSent < bytes.size();)
    {
        int n = ::send(client, bytes.data() + nSent, static_cast<int>(bytes.size() - nSent), 0);
        if (n <= 0)
            return;
        nSent += static_cast<size_t>(n);
    }
}

} // namespace

LoopbackHttpServer::LoopbackHttpServer(std::map<std::string, Page> pages)
    : m_pages(std::move(pages)), m_listener(INVALID_SOCKET), m_nPort(0), m_bStopping(false), m_hThread(NULL)
{
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    ::InitializeCriticalSection(&m_lock);
    m_listener = ListenOnLoopback(&m_nPort);
    if (m_listener != INVALID_SOCKET)
        m_hThread = ::CreateThread(NULL, 0, ServeThread, this, 0, NULL);
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    m_bStopping = true;
    if (m_hThread != NULL)
    {
        ::WaitForSingleObject(m_hThread, INFINITE);
        ::CloseHandle(m_hThread);
    }
    if (m_listener != INVALID_SOCKET)
        ::closesocket(m_listener);
    ::DeleteCriticalSection(&m_lock);
    ::WSACleanup();
}

std::wstring LoopbackHttpServer::Url(const char* path) const
{
    return L"http://127.0.0.1:" + std::to_wstring(m_nPort) + std::wstring(path, path + ::strlen(path));
}

std::vector<std::string> LoopbackHttpServer::RequestedPaths() const
{
    ::EnterCriticalSection(&m_lock);
    std::vector<std::string> paths = m_requestedPaths;
    ::LeaveCriticalSection(&m_lock);
    return paths;
}

unsigned short LoopbackHttpServer::ClosedPort()
{
    WSADATA data;
    ::WSAStartup(MAKEWORD(2, 2), &data);
    unsigned short nPort = 0;
    SOCKET listener = ListenOnLoopback(&nPort);
    if (listener != INVALID_SOCKET)
        ::closesocket(listener);
    ::WSACleanup();
    return nPort;
}

DWORD WINAPI LoopbackHttpServer::ServeThread(LPVOID pServer)
{
    static_cast<LoopbackHttpServer*>(pServer)->Serve();
    return 0;
}

// Polls for connections so that the destructor's flag ends the thread.
void LoopbackHttpServer::Serve()
{
    while (!m_bStopping)
    {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(m_listener, &readable);
        timeval wait = {0, 50 * 1000};
        if (::select(0, &readable, NULL, NULL, &wait) <= 0)
            continue;
        SOCKET client = ::accept(m_listener, NULL, NULL);
        if (client == INVALID_SOCKET)
            continue;
        Answer(client);
        ::shutdown(client, SD_SEND);
        ::closesocket(client);
    }
}

void LoopbackHttpServer::Answer(UINT_PTR client)
{
    std::string path = RequestPath(ReceiveRequestHead(client));
    ::EnterCriticalSection(&m_lock);
    m_requestedPaths.push_back(path);
    ::LeaveCriticalSection(&m_lock);
    auto found = m_pages.find(path);
    Page page = found != m_pages.end() ? found->second : Page{404, "not found"};
    if (page.behaviour == Behaviour::Silent)
        return WaitForClientToLeave(client);
    if (page.behaviour == Behaviour::Endless)
        return StreamEndlessBody(client);
    std::string head = "HTTP/1.1 " + std::to_string(page.nStatus) + " Status\r\n" +
                       "Content-Type: text/html\r\nContent-Length: " + std::to_string(page.body.size()) +
                       "\r\nConnection: close\r\n\r\n";
    if (page.behaviour == Behaviour::Trickle)
    {
        SendAll(client, head);
        return TrickleBody(client, page.body);
    }
    SendAll(client, head + page.body);
}

// One byte, then a second's wait in short steps, so that the stop flag
// ends the loop soon.
void LoopbackHttpServer::TrickleBody(UINT_PTR client, const std::string& body)
{
    for (char byte : body)
    {
        if (::send(client, &byte, 1, 0) <= 0)
            return;
        for (int step = 0; step < 20; ++step)
        {
            if (m_bStopping)
                return;
            ::Sleep(50);
        }
    }
}

// Holds the connection open without a word until the client closes it or
// the server stops.
void LoopbackHttpServer::WaitForClientToLeave(UINT_PTR client)
{
    char buffer[256];
    while (!m_bStopping)
    {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(client, &readable);
        timeval wait = {0, 50 * 1000};
        if (::select(0, &readable, NULL, NULL, &wait) > 0 && ::recv(client, buffer, sizeof(buffer), 0) <= 0)
            return;
    }
}

// A body without a length, sent line after line until the client stops
// taking it; a send time-out lets the stop flag end the loop.
void LoopbackHttpServer::StreamEndlessBody(UINT_PTR client)
{
    DWORD sendTimeoutMs = 100;
    ::setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeoutMs),
                 sizeof(sendTimeoutMs));
    SendAll(client, "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n");
    const std::string lines(64 * 1024 - 1, 'x');
    const std::string chunk = lines + "\n";
    while (!m_bStopping)
    {
        if (::send(client, chunk.data(), static_cast<int>(chunk.size()), 0) <= 0 &&
            ::WSAGetLastError() != WSAETIMEDOUT)
            return;
    }
}
