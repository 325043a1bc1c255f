// Documents, their views and art, and the User suite's number conversions.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "hostapi/ai_user.h"
#include "standin/suites/document/documents.h"
#include "standin/host/host_errors.h"
#include "standin/suites/user/user_suite.h"
#include "tests/standin/host/host_test_support.h"

namespace {

using standin::Art;

class DocumentsTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        view_ =
            AcquireSuite<AIDocumentViewSuite>(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion);
        art_ = AcquireSuite<AIArtSuite>(kAIArtSuite, kAIArtSuiteVersion);
        path_ = AcquireSuite<AIPathSuite>(kAIPathSuite, kAIPathSuiteVersion);
        style_ = AcquireSuite<AIPathStyleSuite>(kAIPathStyleSuite, kAIPathStyleSuiteVersion);
    }

    AIArtHandle New(AIArtType type, AIPaintOrder order, AIArtHandle reference) {
        AIArtHandle art = nullptr;
        EXPECT_EQ(art_->NewArt(type, order, reference, &art), 0);
        return art;
    }

    static const Art* Of(AIArtHandle handle) { return reinterpret_cast<const Art*>(handle); }

    const AIDocumentViewSuite* view_ = nullptr;
    const AIArtSuite* art_ = nullptr;
    const AIPathSuite* path_ = nullptr;
    const AIPathStyleSuite* style_ = nullptr;
};

TEST_F(DocumentsTest, TheViewCentreIsThatOfTheCurrentDocument) {
    ASRealPoint centre{1, 2};
    EXPECT_EQ(view_->GetDocumentViewCenter(nullptr, &centre), kStandinNoDocumentError);
    standin::Document* a4 = standin::OpenDocument("A4");
    ASSERT_EQ(view_->GetDocumentViewCenter(nullptr, &centre), 0);
    EXPECT_FLOAT_EQ(centre.h, 297.64f);
    EXPECT_FLOAT_EQ(centre.v, 420.945f);
    standin::Document* small = standin::OpenDocument("Small", 200, 100);
    small->viewCenter = {50, 60};
    ASSERT_EQ(view_->GetDocumentViewCenter(nullptr, &centre), 0);
    EXPECT_EQ(centre.h, 50);
    EXPECT_EQ(centre.v, 60);
    standin::SetCurrentDocument(a4);
    ASSERT_EQ(view_->GetDocumentViewCenter(nullptr, &centre), 0);
    EXPECT_FLOAT_EQ(centre.h, 297.64f);
    EXPECT_EQ(view_->GetDocumentViewCenter(nullptr, nullptr), kSPBadParameterError);
    int stranger = 0;
    EXPECT_EQ(
        view_->GetDocumentViewCenter(reinterpret_cast<AIDocumentViewHandle>(&stranger), &centre),
        kSPBadParameterError);
}

TEST_F(DocumentsTest, NewArtGoesWhereThePaintOrderSays) {
    AIArtHandle none = reinterpret_cast<AIArtHandle>(&none);
    EXPECT_EQ(art_->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &none), kStandinNoDocumentError);
    EXPECT_EQ(none, nullptr);
    standin::Document* doc = standin::OpenDocument("Doc");

    AIArtHandle group = New(kGroupArt, kPlaceAboveAll, nullptr);
    AIArtHandle first = New(kPathArt, kPlaceInsideOnTop, group);
    AIArtHandle second = New(kPathArt, kPlaceInsideOnTop, group);
    AIArtHandle bottom = New(kPathArt, kPlaceInsideOnBottom, group);
    AIArtHandle above = New(kPathArt, kPlaceAbove, first);
    AIArtHandle below = New(kPathArt, kPlaceBelowAll, nullptr);
    ASSERT_EQ(doc->art.children.size(), 2u);
    EXPECT_EQ(doc->art.children[0].get(), Of(below));
    EXPECT_EQ(doc->art.children[1].get(), Of(group));
    const auto& inside = Of(group)->children;
    ASSERT_EQ(inside.size(), 4u);
    EXPECT_EQ(inside[0].get(), Of(bottom));
    EXPECT_EQ(inside[1].get(), Of(first));
    EXPECT_EQ(inside[2].get(), Of(above));
    EXPECT_EQ(inside[3].get(), Of(second));
    EXPECT_EQ(standin::CountArt(doc->art), 6u);
    // The host's own choice: on top, whatever the reference.
    AIArtHandle chosen = New(kPathArt, kPlaceDefault, first);
    ASSERT_EQ(doc->art.children.size(), 3u);
    EXPECT_EQ(doc->art.children[2].get(), Of(chosen));

    AIArtHandle art = nullptr;
    EXPECT_EQ(art_->NewArt(kPathArt, kPlaceInsideOnTop, first, &art), kSPBadParameterError);
    EXPECT_EQ(art_->NewArt(kPathArt, kPlaceInsideOnTop, nullptr, &art), kSPBadParameterError);
    EXPECT_EQ(art_->NewArt(kUnknownArt, kPlaceAboveAll, nullptr, &art), kSPBadParameterError);
    EXPECT_EQ(art_->NewArt(kPathArt, 99, nullptr, &art), kSPBadParameterError);
    // Art of another document is no reference for the current one.
    standin::OpenDocument("Other");
    EXPECT_EQ(art_->NewArt(kPathArt, kPlaceInsideOnTop, group, &art), kSPBadParameterError);
    EXPECT_EQ(standin::CountArt(doc->art), 7u);
}

TEST_F(DocumentsTest, PathsTakeSegmentsStyleAndClosingAndRefuseGaps) {
    standin::OpenDocument("Doc");
    AIArtHandle group = New(kGroupArt, kPlaceAboveAll, nullptr);
    AIArtHandle path = New(kPathArt, kPlaceInsideOnTop, group);
    AIPathSegment corners[4] = {};
    const ASRealPoint points[4] = {{279.44894f, 420.55106f},
                                   {320.55106f, 420.55106f},
                                   {320.55106f, 379.44894f},
                                   {279.44894f, 379.44894f}};
    for (int i = 0; i < 4; ++i) corners[i] = {points[i], points[i], points[i], kASTrue};
    for (int16_t i = 0; i < 4; ++i) ASSERT_EQ(path_->SetPathSegments(path, i, 1, &corners[i]), 0);
    EXPECT_EQ(path_->SetPathSegments(path, 6, 1, corners), kSPBadParameterError);  // a gap
    EXPECT_EQ(path_->SetPathSegments(path, 0, -1, corners), kSPBadParameterError);
    EXPECT_EQ(path_->SetPathSegments(path, 0, 1, nullptr), kSPBadParameterError);
    EXPECT_EQ(path_->SetPathSegments(group, 0, 1, corners), kSPBadParameterError);
    ASSERT_EQ(path_->SetPathClosed(path, kASTrue), 0);
    AIPathStyle style{};
    style.fillPaint = kASTrue;
    style.fill.color.c.gray.gray = 1.0f;
    style.stroke.width = 0.1f;
    style.stroke.miterLimit = 4.0f;
    ASSERT_EQ(style_->SetPathStyle(path, &style), 0);
    EXPECT_EQ(style_->SetPathStyle(path, nullptr), kSPBadParameterError);

    const Art* art = Of(path);
    ASSERT_EQ(art->segments.size(), 4u);
    EXPECT_EQ(art->segments[2].p.h, 320.55106f);
    EXPECT_EQ(art->segments[2].p.v, 379.44894f);
    EXPECT_TRUE(art->closed);
    EXPECT_TRUE(art->style.fillPaint);
    EXPECT_EQ(art->style.fill.color.c.gray.gray, 1.0f);
    EXPECT_EQ(art->style.stroke.miterLimit, 4.0f);

    // Closing the document retires its art's handles.
    standin::CloseDocument(standin::CurrentDocument());
    EXPECT_EQ(path_->SetPathClosed(path, kASFalse), kSPBadParameterError);
    standin::OpenDocument("New");
    AIArtHandle art2 = nullptr;
    EXPECT_EQ(art_->NewArt(kPathArt, kPlaceInsideOnTop, group, &art2), kSPBadParameterError);
}

// A length-prefixed string of `text`.
std::basic_string<unsigned char> Counted(const std::string& text) {
    std::basic_string<unsigned char> s(1, static_cast<unsigned char>(text.size()));
    s.append(text.begin(), text.end());
    return s;
}

// What RealToString wrote, without its length byte; "error" on failure. The
// suite's own slot returns nothing: it must write the same text, and an empty
// one on failure.
std::string Written(const AIUserSuite* user, ASReal value, int16_t precision) {
    unsigned char text[kLengthPrefixedStringSize];
    unsigned char bySuite[kLengthPrefixedStringSize];
    std::memset(bySuite, 0x55, sizeof bySuite);
    user->RealToString(value, precision, bySuite);
    const ASErr error = standin::ConvertRealToString(value, precision, text);
    EXPECT_EQ(std::string(bySuite, bySuite + 1 + bySuite[0]),
              std::string(text, text + 1 + text[0]));
    if (error != 0) {
        EXPECT_EQ(text[0], 0);
        return "error";
    }
    return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

using UserSuiteTest = HostTest;

TEST_F(UserSuiteTest, WritesNumbersWithTheirPrecision) {
    const auto* user = AcquireSuite<AIUserSuite>(kAIUserSuite, kAIUserSuiteVersion);
    EXPECT_EQ(Written(user, -108, 0), "-108");
    EXPECT_EQ(Written(user, 271, 0), "271");
    EXPECT_EQ(Written(user, -65536, 0), "-65536");
    EXPECT_EQ(Written(user, static_cast<ASReal>(0.50 / 0.35278), 4), "1.4173");
    EXPECT_EQ(Written(user, 2.5f, 0), "2");  // rounded to even, as printf does
    EXPECT_EQ(Written(user, -0.4f, 0), "0");
    EXPECT_EQ(Written(user, -0.004f, 2), "0.00");
    EXPECT_EQ(Written(user, 3.4e38f, 20).size(), 60u);
    EXPECT_EQ(Written(user, 1, -1), "error");
    EXPECT_EQ(Written(user, 1, 21), "error");
    EXPECT_EQ(Written(user, std::numeric_limits<float>::infinity(), 0), "error");
    EXPECT_EQ(standin::ConvertRealToString(1, 0, nullptr), kSPBadParameterError);
    user->RealToString(1, 0, nullptr);  // nothing to write to: nothing happens
}

TEST_F(UserSuiteTest, ReadsTheNumberAtTheStartOfTheCountedBytesOnly) {
    const auto* user = AcquireSuite<AIUserSuite>(kAIUserSuite, kAIUserSuiteVersion);
    const auto read = [user](const std::basic_string<unsigned char>& text) -> std::string {
        ASReal value = 99;
        ASReal bySuite = 99;
        user->StringToReal(text.data(), &bySuite);
        const ASErr error = standin::ConvertStringToReal(text.data(), &value);
        EXPECT_EQ(bySuite, value);
        if (error != 0) {
            EXPECT_EQ(value, 0);
            return "error";
        }
        return std::to_string(value);
    };
    EXPECT_EQ(read(Counted("-108")), std::to_string(-108.0f));
    EXPECT_EQ(read(Counted("271")), std::to_string(271.0f));
    EXPECT_EQ(read(Counted("  +2.5e1 apples")), std::to_string(25.0f));
    EXPECT_EQ(read(Counted(".5")), std::to_string(0.5f));
    // The length byte ends the text: "12" of "12345".
    std::basic_string<unsigned char> cut = Counted("12345");
    cut[0] = 2;
    EXPECT_EQ(read(cut), std::to_string(12.0f));
    EXPECT_EQ(read(Counted("")), "error");
    EXPECT_EQ(read(Counted("-")), "error");
    EXPECT_EQ(read(Counted("+-1")), "error");
    EXPECT_EQ(read(Counted("SEGM")), "error");
    EXPECT_EQ(read(Counted("1e39")), "error");
    EXPECT_EQ(read(Counted("nan")), "error");
    ASReal value = 0;
    EXPECT_EQ(standin::ConvertStringToReal(nullptr, &value), kSPBadParameterError);
    EXPECT_EQ(standin::ConvertStringToReal(Counted("1").data(), nullptr), kSPBadParameterError);
}

}  // namespace
