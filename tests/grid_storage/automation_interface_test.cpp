// The published interface: type information, dispatch identifiers, Invoke by identifier and by name.
#include "test_support.h"
#include "tests/lattix_error_code.h"
#include "runtime/conversions.h"

#include "grid/automation/interface_catalog.h"
#include "grid/objects/cell_object.h"
#include "grid/objects/combo_objects.h"
#include "grid/view/ctimer.h"
#include "grid/objects/header_object.h"
#include "grid/view/grid_chrome.h"
#include "grid/view/image_list_object.h"

namespace lattix {
namespace {

using test::Code;
using test::ExpectError;

TEST(AutomationInterface, FixedDispatchIdentifiers) {
    const TypeInfo& ti = Lattix::ClassTypeInfo();
    const std::pair<const char*, uint32_t> fixed[] = {
        {"BeginUpdate", 0x600300D5}, {"EndUpdate", 0x600300D6},  {"Header", 0x6803004A},    {"CurCol", 0x68030062},
        {"CurRow", 0x68030063},      {"RowCount", 0x6803006B},   {"ColCount", 0x6803006C},  {"ColVisible", 0x6803006D},
        {"ColHeaderText", 0x6803006F}, {"ColWidth", 0x68030077}, {"CellValue", 0x680300AB}, {"CellAlignH", 0x680300B3},
        {"CellText", 0x680300B6},
    };
    const catalog::ClassEntry* cls = catalog::FindClass("Lattix");
    ASSERT_NE(cls, nullptr);
    for (auto [name, id] : fixed) {
        auto it = std::find_if(cls->members.begin(), cls->members.end(),
                               [&](const catalog::MemberEntry& m) { return std::string(m.name) == name; });
        ASSERT_NE(it, cls->members.end()) << name;
        EXPECT_EQ(static_cast<uint32_t>(it->dispId), id) << name;
        if (const MemberInfo* m = ti.findMember(name)) EXPECT_EQ(static_cast<uint32_t>(m->id), id) << name;
    }
    // Identifiers are unique within each class.
    for (const catalog::ClassEntry& c : catalog::Classes()) {
        std::set<int32_t> ids;
        for (const catalog::MemberEntry& m : c.members) EXPECT_TRUE(ids.insert(m.dispId).second) << c.name << "." << m.name;
    }
    // Events are numbered by their place in the list.
    ASSERT_EQ(ti.events().size(), 91u);
    EXPECT_EQ(ti.findEvent("AfterCommitEdit")->id, 1);
    EXPECT_EQ(ti.findEvent("DblClick")->id, event_id::kDblClick);
    EXPECT_EQ(ti.findEvent("QuitCustomEdit")->id, event_id::kQuitCustomEdit);
    EXPECT_EQ(ti.findEvent("ContextMenuCustomItemClick")->id, 91);
    const EventInfo* dbl = ti.findEvent("dblclick");
    ASSERT_EQ(dbl->params.size(), 7u);
    EXPECT_EQ(dbl->params[6].name, "eAction");
    EXPECT_TRUE(dbl->params[6].byRef);
    EXPECT_FALSE(dbl->params[0].byRef);
}

// Every member of the catalog is published with the kinds and parameters the catalog gives it, in
// every class; nothing else is.
TEST(AutomationInterface, EveryCatalogMemberIsPublished) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    auto object = [&](const char* member, std::vector<Variant> args = {}) {
        return g->invoke(member, InvokeKind::Get, args).object();
    };
    const std::vector<std::pair<const char*, ObjectRef>> published = {
        {"Lattix", g},
        {"CellObject", object("ColDefaultCell", {Variant(1)})},
        {"HeaderObject", object("Header")},
        {"ScrollBarObject", object("VScrollBar")},
        {"ComboObject", g->Combos()->Add("list")},
        {"CombosObject", object("Combos")},
        {"SelItemsObject", object("SelItems")},
        {"SortGroupObject", object("SortObject")},
        {"AggrFuncsObject", object("AggrFuncs")},
        {"ContextMenuItemsObject", object("ContextMenuCustomItems", {Variant(1)})},
        {"CTimer", std::make_shared<CTimer>()},
    };
    size_t total = 0;
    for (const auto& [name, obj] : published) {
        SCOPED_TRACE(name);
        const catalog::ClassEntry* cls = catalog::FindClass(name);
        ASSERT_NE(cls, nullptr);
        ASSERT_NE(obj, nullptr);
        const TypeInfo& ti = obj->typeInfo();
        EXPECT_EQ(ti.members().size(), cls->members.size());
        for (const catalog::MemberEntry& m : cls->members) {
            const MemberInfo* info = ti.findMember(m.name);
            ASSERT_NE(info, nullptr) << m.name;
            EXPECT_EQ(info->kinds, m.kinds) << m.name;
            EXPECT_EQ(info->params.size(), m.params.size()) << m.name;
        }
        total += cls->members.size();
    }
    EXPECT_EQ(total, 363u);
    EXPECT_EQ(published.size(), catalog::Classes().size());
}

TEST(AutomationInterface, ImageListsReachTheGridItsHeaderAndItsDropDownLists) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetRowCount(1);
    auto icons = ImageListObject::Create(std::make_shared<gfx::ImageList>(16, 12));
    auto wide = ImageListObject::Create(std::make_shared<gfx::ImageList>(24, 24));
    g->invoke("SetImageList", InvokeKind::Method, std::vector<Variant>{Variant(ObjectRef(icons))});
    EXPECT_EQ(g->ImageListCount(), 1);
    // An array holds the lists numbered 1, 2, ...; a handle names a list as well as its object.
    auto store = SafeArray::make1D(0, 2);
    store->at(0) = Variant(ObjectRef(icons));
    store->at(1) = Variant(wide->Handle());
    g->invoke("SetImageList", InvokeKind::Method, std::vector<Variant>{Variant(store)});
    ASSERT_EQ(g->ImageListCount(), 2);
    EXPECT_EQ(g->ImageListAt(2), wide->list());
    EXPECT_EQ(ToInt32(ObjectRef(wide)->invoke("hImageList", InvokeKind::Get)), wide->Handle());
    EXPECT_EQ(ToInt32(ObjectRef(wide)->invoke("ImageWidth", InvokeKind::Get)), 24);
    // Anything else is refused and changes nothing: a number that names no list, text, another object.
    for (const Variant& bad : {Variant(7), Variant("icons"), Variant(ObjectRef(g->Header()))}) {
        EXPECT_EQ(test::LattixCode([&] { g->invoke("SetImageList", InvokeKind::Method, std::vector<Variant>{bad}); }), 518);
        EXPECT_EQ(test::LattixCode([&] { g->Header()->invoke("SetImageList", InvokeKind::Method, std::vector<Variant>{bad}); }), 518);
    }
    store->at(1) = Variant();
    EXPECT_EQ(test::LattixCode([&] { g->SetImageList(Variant(store)); }), 518);
    EXPECT_EQ(g->ImageListCount(), 2);
    g->Header()->invoke("SetImageList", InvokeKind::Method, std::vector<Variant>{Variant(wide->Handle())});
    EXPECT_EQ(g->Chrome().HeaderImageList(), wide->list());
    auto list = g->Combos()->Add("ages");
    list->AddItem("Day 1", Variant(1), 1);
    EXPECT_LT(list->ItemHeight(), 26); // the text line and 2 more
    list->invoke("SetImageList", InvokeKind::Method, std::vector<Variant>{Variant(ObjectRef(wide))});
    EXPECT_EQ(list->ItemHeight(), 26); // the 24-pixel icon and 2 more
    // A handle dies with its object.
    const int32_t handle = wide->Handle();
    wide.reset();
    g->SetImageList(Variant());
    EXPECT_EQ(g->ImageListCount(), 0);
    g->Header()->SetImageList(Variant(0));
    EXPECT_EQ(test::LattixCode([&] { g->SetImageList(Variant(handle)); }), 518);
}

Variant SampleArgument(const std::string& name) {
    if (name == "sKey" || name == "sHeader") return Variant("walk");
    if (name == "eSupFeat" || name == "eSysParm") return Variant(0);
    return Variant(1);
}

TEST(AutomationInterface, EveryPublishedMemberCanBeInvoked) {
    auto g = Lattix::Create();
    g->SetColCount(2);
    g->SetRowCount(3);
    const TypeInfo& ti = g->typeInfo();
    ASSERT_GT(ti.members().size(), 20u);
    for (const MemberInfo& m : ti.members()) {
        SCOPED_TRACE(m.name);
        std::vector<Variant> args;
        for (const ParamInfo& p : m.params)
            if (!p.optional) args.push_back(SampleArgument(p.name));
        try {
            if (m.supports(InvokeKind::Get)) {
                Variant value = g->invoke(m.id, InvokeKind::Get, args);
                if (m.supports(InvokeKind::Let) && !value.isObject()) {
                    std::vector<Variant> letArgs = args;
                    letArgs.push_back(value);
                    g->invoke(m.id, InvokeKind::Let, letArgs);
                    EXPECT_EQ(g->invoke(m.id, InvokeKind::Get, args), value);
                }
            } else if (m.supports(InvokeKind::Method)) {
                g->invoke(m.id, InvokeKind::Method, args);
            }
        } catch (const AutomationError& e) {
            // A member may refuse the sample arguments with a grid error, never with a dispatch error.
            EXPECT_GE(e.unsignedNumber(), 0x80040201u) << e.description();
            EXPECT_LE(e.unsignedNumber(), 0x8004020Fu) << e.description();
        }
    }
    // Owned objects publish their members too.
    for (const Variant& obj : {g->invoke("Header", InvokeKind::Get), g->invoke("AggrFuncs", InvokeKind::Get),
                               g->invoke("ColDefaultCell", InvokeKind::Get, std::vector<Variant>{Variant(1)})}) {
        ASSERT_TRUE(obj.isObject());
        EXPECT_FALSE(obj.object()->typeInfo().members().empty());
    }
}

TEST(AutomationInterface, NamedOmittedAndDefaultedArguments) {
    auto g = Lattix::Create();
    // AddCol("A", "Header A", 80) positionally, then by names in any case.
    Variant first = g->invoke("AddCol", InvokeKind::Method, std::vector<Variant>{Variant("A"), Variant("Header A"), Variant(80)});
    ASSERT_TRUE(first.isObject());
    EXPECT_EQ(g->Column(1).width, 80);
    EXPECT_EQ(g->Column(1).headerText, "Header A");
    std::vector<NamedArg> named{{"lcount", Variant(2)}, {"SKEY", Variant("B")}};
    g->invoke("addcol", InvokeKind::Method, {}, named);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->ColIndex("b"), 2);
    // An explicitly omitted argument takes the default.
    g->invoke("AddRow", InvokeKind::Method, std::vector<Variant>{Variant::missing(), Variant::missing(), Variant::missing(), Variant(30)});
    EXPECT_EQ(g->Row(1).height, 30);
    EXPECT_TRUE(g->RowTag(Variant(1)).isMissing());
    // Let through Invoke: the value comes last.
    g->invoke(0x680300AB, InvokeKind::Let, std::vector<Variant>{Variant(1), Variant("B"), Variant(2.5)});
    EXPECT_EQ(g->CellValue(Variant(1), Variant(2)), Variant(2.5));

    ExpectError(runtime_error_number::kUnknownName, [&] { g->invoke("NoSuchMember", InvokeKind::Get); });
    ExpectError(runtime_error_number::kMemberNotFound, [&] { g->invoke(0x12345, InvokeKind::Get); });
    ExpectError(runtime_error_number::kMemberNotFound, [&] { g->invoke("RowTextCol", InvokeKind::Let, std::vector<Variant>{Variant(1)}); });
    ExpectError(runtime_error_number::kParamNotOptional, [&] { g->invoke("CellValue", InvokeKind::Get, std::vector<Variant>{Variant(1)}); });
    ExpectError(runtime_error_number::kBadParamCount, [&] { g->invoke("RowCount", InvokeKind::Get, std::vector<Variant>{Variant(1)}); });
    std::vector<NamedArg> bad{{"lNoSuchParam", Variant(1)}};
    ExpectError(runtime_error_number::kUnknownName, [&] { g->invoke("AddRow", InvokeKind::Method, {}, bad); });
    // Conversion errors of the arguments come before any change.
    ExpectError(runtime_error_number::kTypeMismatch, [&] { g->invoke("RowCount", InvokeKind::Let, std::vector<Variant>{Variant("many")}); });
    ExpectError(runtime_error_number::kOverflow, [&] { g->invoke("RowCount", InvokeKind::Let, std::vector<Variant>{Variant(1e12)}); });
    ExpectError(runtime_error_number::kOverflow,
                [&] { g->invoke("AddRow", InvokeKind::Method, {}, std::vector<NamedArg>{{"btLevel", Variant(256)}}); });
    EXPECT_EQ(g->RowCount(), 1);
    // Errors of the grid reach the caller with number, source and message.
    try {
        g->invoke("CurRow", InvokeKind::Let, std::vector<Variant>{Variant(9)});
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.unsignedNumber(), 0x80040201u);
        EXPECT_EQ(e.source(), "Lattix");
        EXPECT_EQ(e.description(), "Subscript out of range.");
    }
}

TEST(AutomationInterface, EventsCarryByReferenceSlots) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetRowCount(2);
    std::vector<std::pair<std::string, std::vector<Variant>>> seen;
    int cookie = g->events()->connect([&](const EventInfo& e, std::span<Variant> args) {
        seen.emplace_back(e.name, std::vector<Variant>(args.begin(), args.end()));
    });
    g->SetCurRow(2);
    auto cur = std::find_if(seen.begin(), seen.end(), [](auto& s) { return s.first == "CurRowChange"; });
    ASSERT_NE(cur, seen.end());
    EXPECT_EQ(cur->second, (std::vector<Variant>{Variant(2), Variant(0)}));
    g->events()->disconnect(cookie);
    seen.clear();
    g->SetCurRow(1);
    EXPECT_TRUE(seen.empty());
    // A by-reference argument written by the handler is read back by the raiser.
    g->events()->connect([](const EventInfo& e, std::span<Variant> args) {
        if (e.name == "DblClick") *args[6].slot() = Variant(2);
    });
    std::vector<Variant> args{Variant(1), Variant(0), Variant(1.0f), Variant(1.0f), Variant(1), Variant(1), Variant::byRef(Variant(1))};
    g->RaiseEvent(event_id::kDblClick, args);
    EXPECT_EQ(args[6].deref(), Variant(2));
}

} // namespace
} // namespace lattix
