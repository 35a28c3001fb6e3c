// A grid and the objects it hands out belong to the thread that made them: a published member
// called from another thread raises 528 and changes nothing, and the owning thread goes on as before.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "grid/lattix.h"
#include "grid/objects/cell_object.h"
#include "grid/objects/font_object.h"
#include "runtime/automation.h"
#include "tests/lattix_error_code.h"

using lattix::AutomationError;
using lattix::InvokeKind;
using lattix::Lattix;
using lattix::Variant;
using lattix::test::LattixCode;

namespace {
// The Lattix code of `call` run on a thread of its own (0 when it succeeded).
int CodeOnOtherThread(const std::function<void()>& call) {
    int code = -2;
    std::thread t([&] { code = LattixCode(call); });
    t.join();
    return code;
}
} // namespace

TEST(ThreadOwnership, AnotherThreadIsRefusedAndChangesNothing) {
    auto g = Lattix::Create();
    g->SetColCount(3);
    g->SetRowCount(4);
    g->SetCellValue(Variant(2), Variant(2), Variant(std::string("kept")));
    const Variant rows[] = {Variant(9)};
    EXPECT_EQ(CodeOnOtherThread([&] { g->invoke("RowCount", InvokeKind::Let, rows); }), 528);
    EXPECT_EQ(CodeOnOtherThread([&] { g->invoke("RowCount", InvokeKind::Get); }), 528);
    EXPECT_EQ(CodeOnOtherThread([&] { g->invoke("Clear", InvokeKind::Method); }), 528);
    const Variant cell[] = {Variant(2), Variant(2)};
    EXPECT_EQ(CodeOnOtherThread([&] { g->invoke("CellValue", InvokeKind::Get, cell); }), 528);
    // An object the grid handed out belongs to the grid's thread too.
    std::shared_ptr<lattix::CellObject> defaults = g->ColDefaultCell(Variant(1));
    const Variant back[] = {Variant(255)};
    EXPECT_EQ(CodeOnOtherThread([&] { defaults->invoke("oBackColor", InvokeKind::Let, back); }), 528);

    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->CellText(Variant(2), Variant(2)), "kept");
    EXPECT_NE(defaults->oBackColor(), 255);
    // The owning thread is served as before.
    g->invoke("RowCount", InvokeKind::Let, rows);
    EXPECT_EQ(g->RowCount(), 9);
}

TEST(ThreadOwnership, TheErrorSaysWhatHappenedAndAnObjectBelongsToItsMaker) {
    auto g = Lattix::Create();
    std::thread t([&] {
        try {
            g->invoke("ColCount", InvokeKind::Get);
            ADD_FAILURE() << "no error";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.unsignedNumber(), 0x80040210u);
            EXPECT_EQ(e.source(), "Lattix");
            EXPECT_EQ(e.description(), "Object used from a thread other than the one that created it.");
        }
    });
    t.join();
    // A font made on another thread is that thread's: there it answers, here it refuses.
    std::shared_ptr<lattix::FontObject> font;
    std::thread maker([&] {
        font = lattix::FontObject::Create();
        const Variant size[] = {Variant(14.0)};
        EXPECT_EQ(LattixCode([&] { font->invoke("Size", InvokeKind::Let, size); }), 0);
    });
    maker.join();
    EXPECT_EQ(LattixCode([&] { font->invoke("Size", InvokeKind::Get); }), 528);
}
