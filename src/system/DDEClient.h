#pragma once
// The client side of DDE conversations over the platform's DDE management library
// (DDEML). One CDDEClient per process owns the library instance and knows every open
// conversation; the library's callback reaches them through g_pDDEClient. Clients,
// conversations, transactions and callbacks all belong to the thread that made the
// client: the library ties an instance to that thread.
#include <windows.h>
#include <ddeml.h>

#include <map>

class CDDEClientConv;

class CDDEClient {
public:
    // Becomes g_pDDEClient and initialises the library instance.
    CDDEClient();
    // Ends the library instance (and with it every conversation) and forgets the
    // conversations without deleting them; g_pDDEClient no longer points here.
    ~CDDEClient();
    CDDEClient(const CDDEClient&) = delete;
    CDDEClient& operator=(const CDDEClient&) = delete;

    HSZ CreateStringHandle(const char* text, int codePage);
    BOOL FreeStringHandle(HSZ hsz);
    HDDEDATA CreateDataHandle(const void* data, DWORD cb, DWORD cbOffset, HSZ hszItem, UINT format, UINT flags);
    // DdeGetLastError: the instance's last error, which the call also clears.
    UINT GetLastError();

    // The open conversation with that handle, or nullptr.
    CDDEClientConv* FindConversation(HCONV hConv) const;

    DWORD m_idInst = 0;
    // Open conversations by handle (HCONV is pointer-sized); the map owns none of them.
    std::map<HCONV, CDDEClientConv*> m_mapConv;
};

class CDDEClientConv {
public:
    // An idle conversation of g_pDDEClient.
    CDDEClientConv();
    // Disconnects, and frees the names a failed Connect left behind.
    virtual ~CDDEClientConv();
    CDDEClientConv(const CDDEClientConv&) = delete;
    CDDEClientConv& operator=(const CDDEClientConv&) = delete;

    // Opens the conversation (names in code page CP_WINANSI) and enters it in the client's
    // map; the handle, 0 when no server answered. A connected conversation is ended first.
    HCONV Connect(const char* service, const char* topic, PCONVCONTEXT context);
    // DdeClientTransaction on this conversation; its result.
    HDDEDATA ClientTransaction(BYTE* data, DWORD cbData, HSZ hszItem, UINT format, UINT type, DWORD timeout,
                               DWORD* pResult);
    // Ends the conversation: 1 when there was none, else DdeDisconnect's result.
    BOOL Disconnect();

    // The server ended the conversation (from DDECallback): the object becomes idle.
    virtual void OnDisconnect();

    CDDEClient* m_pClient = nullptr;
    HCONV m_hConv = nullptr;
    HSZ m_hszTopic = nullptr;
    HSZ m_hszService = nullptr;

private:
    void FreeNames();
};

// The process's client: the one constructed last, nullptr once it is destroyed.
extern CDDEClient* g_pDDEClient;

// The callback given to the library. The client only sends commands: of what the library
// reports, only a server's end of a conversation of g_pDDEClient matters.
HDDEDATA CALLBACK DDECallback(UINT type, UINT format, HCONV hConv, HSZ hsz1, HSZ hsz2, HDDEDATA hData,
                              ULONG_PTR dwData1, ULONG_PTR dwData2);
