#pragma once
#include <afxtempl.h>
#include <vector>
#include "markup/core/KvoMarkupCollection.h"
#include "markup/core/KvoMarkupDependencyProperty.h"
#include "markup/core/KvoMarkupType.h"
#include "markup/values/KvoMarkupInt.h"

// Markup types of the tests' own, registered by the tests: an element with
// an inheriting property, a panel that holds elements as logical children,
// an unrelated type that shares the element's property, and a collection of
// elements. They enter the process's registry (class names begin "CTest").

// One OnPropertyChanged an element received.
struct MarkupChangeRecord {
    const CKvoMarkupObject* object;
    const CKvoMarkupDependencyProperty* property;
    CKvoMarkupObject* oldValue;
    CKvoMarkupObject* newValue;
};

class CTestMarkupElement : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // "Size": Int, inherits, default 10, change callback; "Label": String,
    // no metadata; "Ratio": Double; "Mode": Enum with a converter that
    // knows only "On" (1).
    static CKvoMarkupDependencyProperty* s_sizeProperty;
    static CKvoMarkupDependencyProperty* s_labelProperty;
    static CKvoMarkupDependencyProperty* s_ratioProperty;
    static CKvoMarkupDependencyProperty* s_modeProperty;
    static void RegisterMarkupProperties();

    void OnPropertyChanged(const CKvoMarkupDependencyProperty* property, CKvoMarkupObject* oldValue,
                           CKvoMarkupObject* newValue) override;

    // Every change any test element was told of, in order.
    static std::vector<MarkupChangeRecord>& ChangeLog();
};

class CTestMarkupPanel : public CTestMarkupElement {
    DECLARE_MARKUP_TYPE()
public:
    ~CTestMarkupPanel() override;
    // Takes over the caller's reference; becomes child's logical parent.
    void AddChild(CKvoMarkupObject* child);

    int GetLogicalChildrenCount() const override;
    CKvoMarkupObject* GetLogicalChild(int index) const override;

private:
    CArray<CKvoMarkupObject*, CKvoMarkupObject*> m_children;
};

class CTestMarkupOther : public CKvoMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // Adds itself as an owner of the element's "Size".
    static void RegisterMarkupProperties();
};

// A collection of elements that notes each OnItemAdded.
class CTestMarkupElementCollection : public CKvoMarkupCollection {
public:
    CTestMarkupElementCollection();
    void OnItemAdded(CKvoMarkupObject* item, int index) override;

    std::vector<std::pair<CKvoMarkupObject*, int>> added;
};

// An Int that counts its live instances, to see when the last reference went.
class CTestTrackedInt : public CKvoMarkupInt {
public:
    explicit CTestTrackedInt(int value) : CKvoMarkupInt(value) { ++s_alive; }
    ~CTestTrackedInt() override { --s_alive; }
    static int s_alive;
};

// What the "Size" change callback saw last: the old value's number and how
// many tracked ints were alive then.
struct SizeCallbackView {
    int calls = 0;
    int oldValue = -1;
    int trackedAlive = -1;
};
SizeCallbackView& LastSizeCallback();

// New test objects with one reference.
CKvoMarkupObject* NewTestElement();
CTestMarkupPanel* NewTestPanel();

// Makes and registers the test types once per process.
void EnsureMarkupTestTypes();
