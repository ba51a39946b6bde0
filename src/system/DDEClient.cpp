#include "system/DDEClient.h"

CDDEClient* g_pDDEClient = nullptr;

CDDEClient::CDDEClient() {
    g_pDDEClient = this;
    Initialize();
}

CDDEClient::~CDDEClient() {
    Uninitialize();
    m_mapConv.clear();
    if (g_pDDEClient == this) g_pDDEClient = nullptr;
}

UINT CDDEClient::Initialize() {
    m_pfnCallback = DDECallback;
    return DdeInitializeA(&m_idInst, m_pfnCallback, 0, 0);
}

void CDDEClient::Uninitialize() {
    if (m_idInst) DdeUninitialize(m_idInst);
    m_idInst = 0;
}

void CDDEClient::OnRegister(HSZ, HSZ) {}

void CDDEClient::OnUnregister(HSZ, HSZ) {}

HSZ CDDEClient::CreateStringHandle(const char* text, int codePage) {
    return DdeCreateStringHandleA(m_idInst, text, codePage);
}

BOOL CDDEClient::FreeStringHandle(HSZ hsz) { return DdeFreeStringHandle(m_idInst, hsz); }

HDDEDATA CDDEClient::CreateDataHandle(const void* data, DWORD cb, DWORD cbOffset, HSZ hszItem, UINT format,
                                      UINT flags) {
    return DdeCreateDataHandle(m_idInst, static_cast<LPBYTE>(const_cast<void*>(data)), cb, cbOffset, hszItem, format,
                               flags);
}

UINT CDDEClient::GetLastError() { return DdeGetLastError(m_idInst); }

CDDEClientConv* CDDEClient::FindConversation(HCONV hConv) const {
    const auto found = m_mapConv.find(hConv);
    return found == m_mapConv.end() ? nullptr : found->second;
}

CDDEClientConv::CDDEClientConv() : m_pClient(g_pDDEClient) {}

CDDEClientConv::~CDDEClientConv() {
    Disconnect();
    FreeNames();
}

HCONV CDDEClientConv::Connect(const char* service, const char* topic, PCONVCONTEXT context) {
    Disconnect();
    FreeNames();
    if (!m_pClient) return nullptr;
    m_hszTopic = m_pClient->CreateStringHandle(topic, CP_WINANSI);
    m_hszService = m_pClient->CreateStringHandle(service, CP_WINANSI);
    m_hConv = DdeConnect(m_pClient->m_idInst, m_hszService, m_hszTopic, context);
    // Only a real conversation is entered: an entry under 0 would outlive this object.
    if (m_hConv) m_pClient->m_mapConv[m_hConv] = this;
    return m_hConv;
}

HDDEDATA CDDEClientConv::ClientTransaction(BYTE* data, DWORD cbData, HSZ hszItem, UINT format, UINT type,
                                           DWORD timeout, DWORD* pResult) {
    return DdeClientTransaction(data, cbData, m_hConv, hszItem, format, type, timeout, pResult);
}

BOOL CDDEClientConv::Disconnect() {
    if (!m_hConv) return TRUE;
    const BOOL result = DdeDisconnect(m_hConv);
    FreeNames();
    if (m_pClient) m_pClient->m_mapConv.erase(m_hConv);
    m_hConv = nullptr;
    return result;
}

HDDEDATA CDDEClientConv::OnAdvData(HSZ, HSZ, HDDEDATA) { return nullptr; }

void CDDEClientConv::OnDisconnect(BOOL) {
    if (m_pClient) m_pClient->m_mapConv.erase(m_hConv);
    m_hConv = nullptr;
    FreeNames();
}

void CDDEClientConv::OnXactComplete(HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {}

void CDDEClientConv::FreeNames() {
    if (m_pClient) {
        if (m_hszTopic) m_pClient->FreeStringHandle(m_hszTopic);
        if (m_hszService) m_pClient->FreeStringHandle(m_hszService);
    }
    m_hszTopic = nullptr;
    m_hszService = nullptr;
}

HDDEDATA CALLBACK DDECallback(UINT type, UINT, HCONV hConv, HSZ hsz1, HSZ hsz2, HDDEDATA hData, ULONG_PTR dwData1,
                              ULONG_PTR dwData2) {
    CDDEClient* client = g_pDDEClient;
    if (!client) return nullptr;
    try {
        switch (type) {
        case XTYP_REGISTER:
            client->OnRegister(hsz1, hsz2);
            return nullptr;
        case XTYP_UNREGISTER:
            client->OnUnregister(hsz1, hsz2);
            return nullptr;
        default:
            break;
        }
        // The rest concern one conversation; one this client does not know is ignored.
        CDDEClientConv* conversation = hConv ? client->FindConversation(hConv) : nullptr;
        if (!conversation) return nullptr;
        switch (type) {
        case XTYP_ADVDATA:
            return conversation->OnAdvData(hsz1, hsz2, hData);
        case XTYP_XACT_COMPLETE:
            conversation->OnXactComplete(hsz1, hsz2, hData, dwData1, dwData2);
            return nullptr;
        case XTYP_DISCONNECT:
            conversation->OnDisconnect(static_cast<BOOL>(dwData2));
            return nullptr;
        default:
            return nullptr;
        }
    } catch (...) {
        return nullptr;  // nothing may unwind into the library
    }
}
