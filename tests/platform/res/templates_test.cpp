// Dialog templates, menus and string blocks: the compiled test script read
// back field by field, hand-made MENUEX bytes, and every truncation of each
// refused.
#include <gtest/gtest.h>

#include "res/dialog_template.h"
#include "res/icon_group.h"
#include "res/menu_template.h"
#include "res/res_file.h"
#include "res/resources.h"
#include "res/string_table.h"
#include "test_util.h"

using namespace res;
using res_test::Writer;

namespace {

// The platform's menu bits, as the stored templates carry them.
constexpr UINT kGrayed = 0x0001, kChecked = 0x0008, kPopup = 0x0010, kEnd = 0x0080;
constexpr UINT kSeparatorType = 0x0800, kStateGrayed = 0x0003;

class Templates : public ::testing::Test {
 protected:
  void SetUp() override {
    auto parsed = ParseResFile(res_);
    ASSERT_TRUE(parsed.ok());
    source_ = std::move(*parsed);
  }
  std::span<const std::byte> Get(WORD type, WORD id) {
    auto data = source_.Find(type, id);
    EXPECT_TRUE(data.has_value());
    return data.value_or(std::span<const std::byte>{});
  }
  std::vector<std::byte> res_ = res_test::ReadFile(res_test::DataPath("test.res"));
  ResourceSource source_;
};

// Every proper prefix of `data` must be refused by `parse`.
template <class Parse>
void ExpectEveryCutRefused(std::span<const std::byte> data, Parse parse) {
  for (std::size_t cut = 0; cut < data.size(); ++cut)
    EXPECT_FALSE(parse(data.first(cut)).ok()) << "accepted a cut at " << cut << " of " << data.size();
}

}  // namespace

TEST_F(Templates, DialogTemplateFields) {
  auto d = ParseDialogTemplate(Get(kRtDialog, 102));
  ASSERT_TRUE(d.ok()) << Describe(d.error());
  EXPECT_FALSE(d->extended);
  EXPECT_EQ(d->style & 0xFFFF00FF, 0x90C80040u);
  EXPECT_EQ(d->exStyle, 0x80000000u);
  EXPECT_EQ(std::tie(d->x, d->y, d->cx, d->cy), std::make_tuple(0, 0, 135, 149));
  EXPECT_TRUE(d->menu.empty());
  EXPECT_TRUE(d->windowClass.empty());
  EXPECT_EQ(d->title, u"Mensora");
  EXPECT_TRUE(d->hasFont);
  EXPECT_EQ(d->pointSize, 8);
  EXPECT_EQ(d->fontFace, u"System");
  ASSERT_EQ(d->items.size(), 7u);

  const DialogItem& ok = d->items[0];
  EXPECT_TRUE(IsControlAtom(ok.windowClass, ControlAtom::kButton));
  EXPECT_EQ(ok.title, NameOrOrdinal(u"OK"));
  EXPECT_EQ(ok.id, 1u);
  EXPECT_EQ(std::tie(ok.x, ok.y, ok.cx, ok.cy), std::make_tuple(6, 132, 38, 14));
  EXPECT_EQ(ok.style & 0xFFFF0000, 0x50010000u);  // child, visible, tab stop

  EXPECT_TRUE(IsControlAtom(d->items[1].windowClass, ControlAtom::kEdit));
  EXPECT_EQ(d->items[1].id, 1012u);
  EXPECT_EQ(d->items[1].style & 0x80, 0x80u);
  EXPECT_TRUE(IsControlAtom(d->items[2].windowClass, ControlAtom::kStatic));
  EXPECT_EQ(d->items[2].id, 0xFFFFu);  // -1 in a 16-bit id
  EXPECT_TRUE(d->items[2].title.empty());
  EXPECT_EQ(d->items[3].windowClass, NameOrOrdinal(u"MYCLASS"));  // names compare without case
  EXPECT_EQ(d->items[3].style, 0x50000000u);
  EXPECT_EQ(std::tie(d->items[3].x, d->items[3].y, d->items[3].cx, d->items[3].cy),
            std::make_tuple(1, 2, 3, 4));
  EXPECT_TRUE(IsControlAtom(d->items[4].windowClass, ControlAtom::kListBox));
  EXPECT_TRUE(IsControlAtom(d->items[5].windowClass, ControlAtom::kScrollBar));
  EXPECT_TRUE(IsControlAtom(d->items[6].windowClass, ControlAtom::kComboBox));
  EXPECT_FALSE(IsControlAtom(d->items[6].windowClass, ControlAtom::kButton));
}

TEST_F(Templates, DialogTemplateExFields) {
  auto d = ParseDialogTemplate(Get(kRtDialog, 131));
  ASSERT_TRUE(d.ok()) << Describe(d.error());
  EXPECT_TRUE(d->extended);
  EXPECT_EQ(std::tie(d->x, d->y, d->cx, d->cy), std::make_tuple(-1, 2, 139, 154));
  EXPECT_EQ(d->title, u"Nemerical Input");
  EXPECT_TRUE(d->hasFont);
  EXPECT_EQ(d->pointSize, 8);
  EXPECT_EQ(d->weight, 700);
  EXPECT_TRUE(d->italic);
  EXPECT_EQ(d->fontFace, u"System");
  ASSERT_EQ(d->items.size(), 2u);
  EXPECT_EQ(d->items[0].id, 1000u);
  EXPECT_EQ(d->items[0].title, NameOrOrdinal(u"+"));
  // An icon static: its title is the image's resource ordinal.
  EXPECT_TRUE(IsControlAtom(d->items[1].windowClass, ControlAtom::kStatic));
  EXPECT_EQ(d->items[1].title, NameOrOrdinal(WORD{33029}));
  EXPECT_EQ(d->items[1].id, 33003u);
}

TEST_F(Templates, DialogMenuClassAndCreationData) {
  Writer w;
  w.U32(0).U32(0).U16(1).U16(0).U16(0).U16(10).U16(10);
  w.U16(0xFFFF).U16(130).Text(u"Cls").Text(u"");  // menu 130, class, title; no font
  w.Align4().U32(0x50000000).U32(0).U16(0).U16(0).U16(5).U16(5).U16(9);
  w.U16(0xFFFF).U16(0x80).Text(u"b").U16(3).U16(0xAAAA).bytes.push_back(std::byte{0xBB});
  auto d = ParseDialogTemplate(w.bytes);
  ASSERT_TRUE(d.ok()) << Describe(d.error());
  EXPECT_EQ(d->menu, NameOrOrdinal(WORD{130}));
  EXPECT_EQ(d->windowClass, NameOrOrdinal(u"cls"));
  EXPECT_FALSE(d->hasFont);
  ASSERT_EQ(d->items.size(), 1u);
  EXPECT_EQ(d->items[0].creationDataSize, 3u);
  ExpectEveryCutRefused(w.bytes, ParseDialogTemplate);
}

TEST_F(Templates, EveryCutDialogIsRefused) {
  ExpectEveryCutRefused(Get(kRtDialog, 102), ParseDialogTemplate);
  ExpectEveryCutRefused(Get(kRtDialog, 131), ParseDialogTemplate);
}

TEST_F(Templates, MenuTree) {
  auto m = ParseMenuTemplate(Get(kRtMenu, 135));
  ASSERT_TRUE(m.ok()) << Describe(m.error());
  EXPECT_FALSE(m->extended);
  ASSERT_EQ(m->items.size(), 2u);
  const MenuItem& file = m->items[0];
  EXPECT_TRUE(file.popup);
  EXPECT_EQ(file.text, u"&File");
  ASSERT_EQ(file.children.size(), 4u);
  EXPECT_EQ(file.children[0].id, 32800u);
  EXPECT_EQ(file.children[0].text, u"&Open");
  EXPECT_TRUE(file.children[1].separator);
  EXPECT_FALSE(file.children[0].separator);
  const MenuItem& more = file.children[2];
  EXPECT_TRUE(more.popup);
  ASSERT_EQ(more.children.size(), 1u);
  EXPECT_EQ(more.children[0].flags, kChecked);
  EXPECT_EQ(more.children[0].id, 32801u);
  EXPECT_EQ(file.children[3].flags, kGrayed);
  EXPECT_EQ(file.children[3].id, 32802u);
  EXPECT_FALSE(m->items[1].popup);
  EXPECT_EQ(m->items[1].id, 32803u);
  EXPECT_EQ(m->items[1].flags, 0u);  // the end bit is structure, not a flag
  ExpectEveryCutRefused(Get(kRtMenu, 135), ParseMenuTemplate);
}

TEST(MenuEx, ParsesTypesStatesHelpIdsAndNesting) {
  Writer w;
  w.U16(1).U16(4).U32(99);  // version 1, items right after the help id
  w.U32(0).U32(0).U32(10).U16(0x01).Text(u"P").Align4().U32(77);  // popup
  w.U32(kSeparatorType).U32(0).U32(0).U16(0).Text(u"").Align4();
  w.U32(0).U32(kStateGrayed).U32(11).U16(0x80).Text(u"A").Align4();  // last in popup
  w.U32(0).U32(kChecked).U32(0x12345).U16(0x80).Text(u"Tops");  // last at top, ends on a DWORD
  auto m = ParseMenuTemplate(w.bytes);
  ASSERT_TRUE(m.ok()) << Describe(m.error());
  EXPECT_TRUE(m->extended);
  EXPECT_EQ(m->helpId, 99u);
  ASSERT_EQ(m->items.size(), 2u);
  const MenuItem& p = m->items[0];
  EXPECT_TRUE(p.popup);
  EXPECT_EQ(p.id, 10u);
  EXPECT_EQ(p.helpId, 77u);
  ASSERT_EQ(p.children.size(), 2u);
  EXPECT_TRUE(p.children[0].separator);
  EXPECT_EQ(p.children[1].flags, kStateGrayed);
  EXPECT_EQ(p.children[1].text, u"A");
  EXPECT_EQ(m->items[1].id, 0x12345u);  // 32-bit ids
  EXPECT_EQ(m->items[1].flags, kChecked);
  ASSERT_EQ(w.bytes.size() % 4, 0u);
  ExpectEveryCutRefused(w.bytes, ParseMenuTemplate);
}

TEST(MenuDepth, NestingIsBounded) {
  auto nested = [](int popups) {
    Writer w;
    w.U16(0).U16(0);
    for (int i = 0; i < popups; ++i) w.U16(kPopup | kEnd).Text(u"p");
    w.U16(kEnd).U16(1).Text(u"x");
    return w.bytes;
  };
  EXPECT_TRUE(ParseMenuTemplate(nested(kMaxMenuDepth - 1)).ok());
  auto deep = ParseMenuTemplate(nested(kMaxMenuDepth));
  ASSERT_FALSE(deep.ok());
  EXPECT_EQ(deep.error().code, ResError::kTooDeep);
}

TEST_F(Templates, StringBlocks) {
  auto block = ParseStringBlock(Get(kRtString, StringBlockId(33004)));
  ASSERT_TRUE(block.ok());
  EXPECT_EQ(UnitsToString((*block)[33004 % 16]), u"pack");
  EXPECT_EQ(UnitsToString((*block)[33005 % 16]), u"English");
  EXPECT_TRUE((*block)[33006 % 16].empty());
  ExpectEveryCutRefused(Get(kRtString, StringBlockId(33004)), ParseStringBlock);

  EXPECT_EQ(StringBlockId(15), 1);
  EXPECT_EQ(StringBlockId(16), 2);
  EXPECT_EQ(StringBlockId(65535), 4096);
  EXPECT_EQ(FindString(source_, 15).value_or(u"?"), u"fifteen");
  EXPECT_EQ(FindString(source_, 16).value_or(u"?"), u"sixteen, in the second block");
  EXPECT_EQ(FindString(source_, 65535).value_or(u"?"), u"last id");
  EXPECT_EQ(FindString(source_, 0x10000 + 65535).value_or(u"?"), u"last id");  // low 16 bits
  EXPECT_FALSE(FindString(source_, 14));    // empty slot in a present block
  EXPECT_FALSE(FindString(source_, 40000)); // no block at all
}

TEST(IconResources, GroupEntriesAndImageHeaders) {
  res_test::Writer group;
  group.U16(0).U16(1).U16(2);
  group.U16(0x1010).U16(0).U16(1).U16(32).U32(1128).U16(7);  // 16 x 16, image 7
  group.U16(0x0000).U16(0).U16(1).U16(32).U32(9).U16(8);      // 256 x 256, image 8
  auto entries = ParseIconGroup(group.bytes);
  ASSERT_TRUE(entries.ok()) << Describe(entries.error());
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[0].width, 16);
  EXPECT_EQ((*entries)[0].bitCount, 32);
  EXPECT_EQ((*entries)[0].bytesInRes, 1128u);
  EXPECT_EQ((*entries)[1].width, 0);
  EXPECT_EQ((*entries)[1].imageId, 8);
  ExpectEveryCutRefused(group.bytes, ParseIconGroup);

  // 8 x 8 at 4 bits, 3 colours: 40 + 12 + 8 rows of 4 + 8 mask rows of 4.
  res_test::Writer dib;
  dib.U32(40).U32(8).U32(16).U16(1).U16(4).U32(0).U32(0).U32(0).U32(0).U32(3).U32(0);
  dib.bytes.resize(40 + 12 + 32 + 32);
  auto image = ParseIconImage(dib.bytes);
  ASSERT_TRUE(image.ok()) << Describe(image.error());
  EXPECT_FALSE(image->png);
  EXPECT_EQ(image->width, 8u);
  EXPECT_EQ(image->height, 8u);
  EXPECT_EQ(image->bitCount, 4);
  ExpectEveryCutRefused(dib.bytes, ParseIconImage);
}
