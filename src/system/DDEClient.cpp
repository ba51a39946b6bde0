#include "system/DDEClient.h"

CDDEClient* g_pDDEClient = nullptr;

CDDEClient::CDDEClient() {
    g_pDDEClient = this;
    DdeInitializeA(&m_idInst, DDECallback, 0, 0);  // standard application, no filter
}

CDDEClient::~CDDEClient() {
    if (m_idInst) DdeUninitialize(m_idInst);
    m_idInst = 0;
    m_mapConv.clear();
    if (g_pDDEClient == this) g_pDDEClient = nullptr;
}

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

void CDDEClientConv::OnDisconnect() {
    if (m_pClient) m_pClient->m_mapConv.erase(m_hConv);
    m_hConv = nullptr;
    FreeNames();
}

void CDDEClientConv::FreeNames() {
    if (m_pClient) {
        if (m_hszTopic) m_pClient->FreeStringHandle(m_hszTopic);
        if (m_hszService) m_pClient->FreeStringHandle(m_hszService);
    }
    m_hszTopic = nullptr;
    m_hszService = nullptr;
}

HDDEDATA CALLBACK DDECallback(UINT type, UINT, HCONV hConv, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    if (type != XTYP_DISCONNECT || !hConv || !g_pDDEClient) return nullptr;
    // A conversation this client does not know is ignored.
    if (CDDEClientConv* conversation = g_pDDEClient->FindConversation(hConv)) conversation->OnDisconnect();
    return nullptr;
}
