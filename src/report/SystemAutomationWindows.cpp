#include "SystemAutomation.h"

#include <vector>

#include <windows.h>

#include <oleauto.h>

namespace zolvaric {

namespace {

QString systemMessage(HRESULT code)
{
    wchar_t *text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    QString message = text ? QString::fromWCharArray(text).trimmed() : QString();
    LocalFree(text);
    if (message.isEmpty())
        message =
            QStringLiteral("Fehler 0x%1").arg(static_cast<quint32>(code), 8, 16, QLatin1Char('0'));
    return message;
}

QString fromBstr(BSTR text)
{
    return text ? QString::fromWCharArray(text, SysStringLen(text)) : QString();
}

// An object of a COM server behind the automation interface: members by
// name through IDispatch, arguments and results as VARIANTs.
class ComObject : public AutomationObject
{
public:
    explicit ComObject(IDispatch *dispatch) : m_dispatch(dispatch) {}
    ~ComObject() override { m_dispatch->Release(); }
    ComObject(const ComObject &) = delete;
    ComObject &operator=(const ComObject &) = delete;

    IDispatch *dispatch() const { return m_dispatch; }

    QVariant getProperty(const QString &name) override
    {
        return call(name, DISPATCH_PROPERTYGET, {});
    }
    void setProperty(const QString &name, const QVariant &value) override
    {
        call(name, DISPATCH_PROPERTYPUT, {{QString(), value}});
    }
    QVariant invoke(const QString &name, const AutomationArguments &arguments) override
    {
        // As late-binding clients call: a method, or a property with arguments.
        return call(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, arguments);
    }

private:
    QVariant call(const QString &name, WORD flags, const AutomationArguments &arguments);

    IDispatch *m_dispatch;
};

// A VARIANT that clears itself.
struct Variant
{
    VARIANT value;
    Variant() { VariantInit(&value); }
    ~Variant() { VariantClear(&value); }
    Variant(const Variant &) = delete;
    Variant &operator=(const Variant &) = delete;
};

void toVariant(const QVariant &from, VARIANT &to)
{
    VariantInit(&to);
    if (!from.isValid()) {
        // A left-out optional argument.
        to.vt = VT_ERROR;
        to.scode = DISP_E_PARAMNOTFOUND;
        return;
    }
    if (from.metaType() == QMetaType::fromType<AutomationObjectPtr>()) {
        const auto object = std::dynamic_pointer_cast<ComObject>(from.value<AutomationObjectPtr>());
        if (!object)
            throw AutomationError(
                QStringLiteral("Ein Objekt des Programms kann nicht an Word übergeben werden."));
        to.vt = VT_DISPATCH;
        to.pdispVal = object->dispatch();
        to.pdispVal->AddRef();
        return;
    }
    switch (from.typeId()) {
    case QMetaType::Bool:
        to.vt = VT_BOOL;
        to.boolVal = from.toBool() ? VARIANT_TRUE : VARIANT_FALSE;
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        to.vt = VT_I4;
        to.lVal = static_cast<LONG>(from.toLongLong());
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        to.vt = VT_R8;
        to.dblVal = from.toDouble();
        return;
    default: {
        const std::wstring text = from.toString().toStdWString();
        to.vt = VT_BSTR;
        to.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return;
    }
    }
}

QVariant fromVariant(VARIANT &from)
{
    switch (from.vt) {
    case VT_EMPTY:
    case VT_NULL:
        return QVariant();
    case VT_BOOL:
        return from.boolVal != VARIANT_FALSE;
    case VT_UI1:
    case VT_I2:
    case VT_I4:
    case VT_INT:
    case VT_UI2:
    case VT_UI4:
    case VT_UINT: {
        Variant number;
        VariantChangeType(&number.value, &from, 0, VT_I4);
        return static_cast<int>(number.value.lVal);
    }
    case VT_R4:
    case VT_R8:
    case VT_CY: {
        Variant number;
        VariantChangeType(&number.value, &from, 0, VT_R8);
        return number.value.dblVal;
    }
    case VT_BSTR:
        return fromBstr(from.bstrVal);
    case VT_DISPATCH: {
        if (!from.pdispVal)
            return QVariant();
        from.pdispVal->AddRef();
        return QVariant::fromValue(AutomationObjectPtr(std::make_shared<ComObject>(from.pdispVal)));
    }
    default: {
        Variant text;
        if (FAILED(VariantChangeType(&text.value, &from, 0, VT_BSTR)))
            return QVariant();
        return fromBstr(text.value.bstrVal);
    }
    }
}

QVariant ComObject::call(const QString &name, WORD flags, const AutomationArguments &arguments)
{
    // The member's id and those of the named arguments, in one question.
    std::vector<std::wstring> names{name.toStdWString()};
    std::vector<const AutomationArgument *> named;
    std::vector<const AutomationArgument *> positional;
    for (const AutomationArgument &argument : arguments) {
        if (argument.name.isEmpty()) {
            positional.push_back(&argument);
        } else {
            named.push_back(&argument);
            names.push_back(argument.name.toStdWString());
        }
    }
    std::vector<LPOLESTR> namePointers;
    for (std::wstring &text : names)
        namePointers.push_back(text.data());
    std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN);
    if (FAILED(m_dispatch->GetIDsOfNames(IID_NULL, namePointers.data(),
                                         static_cast<UINT>(namePointers.size()),
                                         LOCALE_USER_DEFAULT, ids.data())))
        throw AutomationError(QStringLiteral("Unbekanntes Element \"%1\"").arg(name));

    // Named arguments first, then the positional ones in reverse order.
    std::vector<VARIANT> values(arguments.size());
    std::vector<DISPID> namedIds(ids.begin() + 1, ids.end());
    const auto clearValues = [&values] {
        for (VARIANT &value : values)
            VariantClear(&value);
    };
    try {
        size_t slot = 0;
        for (const AutomationArgument *argument : named)
            toVariant(argument->value, values[slot++]);
        for (auto it = positional.rbegin(); it != positional.rend(); ++it)
            toVariant((*it)->value, values[slot++]);
    } catch (...) {
        clearValues();
        throw;
    }
    DISPID propertyPut = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {};
    parameters.rgvarg = values.empty() ? nullptr : values.data();
    parameters.cArgs = static_cast<UINT>(values.size());
    if (flags == DISPATCH_PROPERTYPUT) {
        // The new value is the one named argument a property put takes.
        parameters.rgdispidNamedArgs = &propertyPut;
        parameters.cNamedArgs = 1;
    } else {
        parameters.rgdispidNamedArgs = namedIds.empty() ? nullptr : namedIds.data();
        parameters.cNamedArgs = static_cast<UINT>(namedIds.size());
    }
    Variant result;
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    const HRESULT outcome = m_dispatch->Invoke(
        ids[0], IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
        flags == DISPATCH_PROPERTYPUT ? nullptr : &result.value, &exception, &argumentError);
    clearValues();
    if (FAILED(outcome)) {
        if (exception.pfnDeferredFillIn)
            exception.pfnDeferredFillIn(&exception);
        QString reason = fromBstr(exception.bstrDescription);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrHelpFile);
        if (reason.isEmpty())
            reason = systemMessage(outcome == DISP_E_EXCEPTION && exception.scode ? exception.scode
                                                                                  : outcome);
        throw AutomationError(QStringLiteral("\"%1\": %2").arg(name, reason));
    }
    return fromVariant(result.value);
}

} // namespace

AutomationObjectPtr createSystemObject(const QString &className)
{
    // The program's thread stays in COM for its whole run; a thread Qt has
    // already made an OLE apartment answers S_FALSE or RPC_E_CHANGED_MODE.
    static const HRESULT initialized = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Q_UNUSED(initialized);
    const std::wstring progId = className.toStdWString();
    CLSID classId;
    if (FAILED(CLSIDFromProgID(progId.c_str(), &classId)))
        return nullptr;
    IDispatch *dispatch = nullptr;
    const HRESULT created = CoCreateInstance(classId, nullptr, CLSCTX_SERVER, IID_IDispatch,
                                             reinterpret_cast<void **>(&dispatch));
    if (FAILED(created) || !dispatch)
        throw AutomationError(QStringLiteral("\"%1\" kann nicht gestartet werden: %2")
                                  .arg(className, systemMessage(created)));
    return std::make_shared<ComObject>(dispatch);
}

} // namespace zolvaric
