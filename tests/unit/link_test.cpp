#include "editing/link.h"

#include "tests/unit/qstringprint.h"

#include <gtest/gtest.h>

TEST(Link, Prefill)
{
    struct Case {
        const char *selected;
        int linkTyp;
        LinkKind button;
    };
    const Case cases[] = {
        {"", 0, LinkKind::None},
        {"see page.html", 0, LinkKind::None},
        {"ftp.example.org", 0, LinkKind::None},
        {"http://example.org", 1, LinkKind::Web},
        {"www.example.org", 1, LinkKind::Web},
        {"WWW.example.org", 0, LinkKind::None}, // the tests are case-sensitive
        {"#top", 3, LinkKind::Web},
        {"http://example.org/#part", 3, LinkKind::Web}, // a later test overrides the kind
        {"me@example.org", 2, LinkKind::Mail},
        {"www.example.org/@me", 2, LinkKind::Mail},
        {"mailto", 2, LinkKind::Mail},
        {"#a@b", 2, LinkKind::Mail},
    };
    for (const Case &c : cases) {
        const LinkPrefill p = prefillLink(QString::fromUtf8(c.selected));
        EXPECT_EQ(p.LinkTyp, c.linkTyp) << c.selected;
        EXPECT_EQ(p.button, c.button) << c.selected;
    }
    LinkKind k = LinkKind::None;
    EXPECT_TRUE(preselectedKind(0, &k));
    EXPECT_EQ(k, LinkKind::Web);
    EXPECT_TRUE(preselectedKind(1, &k));
    EXPECT_EQ(k, LinkKind::Web);
    EXPECT_TRUE(preselectedKind(2, &k));
    EXPECT_EQ(k, LinkKind::Mail);
    EXPECT_TRUE(preselectedKind(3, &k));
    EXPECT_EQ(k, LinkKind::Anchor);
    k = LinkKind::None;
    EXPECT_FALSE(preselectedKind(4, &k));
    EXPECT_FALSE(preselectedKind(-1, &k));
    EXPECT_EQ(k, LinkKind::None);
}

namespace {

LinkFields fields(LinkKind kind, const char *name, const char *description, const char *title = "",
                  const char *target = "_blank", bool english = true)
{
    LinkFields f;
    f.DLanguage = english;
    f.kind = kind;
    f.EditName = QString::fromUtf8(name);
    f.EditColor = QString::fromUtf8(description);
    f.EditMyTitle = QString::fromUtf8(title);
    f.ComboBox1 = QString::fromUtf8(target);
    return f;
}

} // namespace

TEST(Link, Elements)
{
    struct Case {
        const char *name;
        LinkFields f;
        const char *linkStart;
    };
    const Case cases[] = {
        {"web, no scheme", fields(LinkKind::Web, "index.htm", "Home"),
         "<a  href=\"http://index.htm\" target=\"_blank\">Home</a>"},
        {"none kind with title", fields(LinkKind::None, "page.htm", "Home", "Start"),
         "<a title=\"Start\" href=\"page.htm\" target=\"_blank\">Home</a>"},
        {"web with http", fields(LinkKind::Web, "http://x.org", "X"), "<a  href=\"http://x.org\" target=\"_blank\">X</a>"},
        {"web with ftp", fields(LinkKind::Web, "ftp://x.org", "X"), "<a  href=\"ftp://x.org\" target=\"_blank\">X</a>"},
        {"'file' inside a name counts as a scheme", fields(LinkKind::Web, "profile.htm", "P"),
         "<a  href=\"profile.htm\" target=\"_blank\">P</a>"},
        {"scheme words are case-sensitive", fields(LinkKind::Web, "HTTP.htm", "P"),
         "<a  href=\"http://HTTP.htm\" target=\"_blank\">P</a>"},
        {"address as typed, description and title trimmed, target as typed",
         fields(LinkKind::Web, " a.htm", "  Home ", "  T ", " _top"),
         "<a title=\"T\" href=\"http:// a.htm\" target=\" _top\">Home</a>"},
        {"blank target gives none", fields(LinkKind::Web, "a.htm", "A", "", "  "), "<a  href=\"http://a.htm\">A</a>"},
        {"mail", fields(LinkKind::Mail, "mailto:me@x.org", "Write"), "<a href=\"mailto:me@x.org\">Write</a>"},
        {"mail: first mailto: of any case removed, description as typed, no title",
         fields(LinkKind::Mail, "MailTo:me@x.org", " Write ", "T"), "<a href=\"mailto:me@x.org\"> Write </a>"},
        {"anchor, English", fields(LinkKind::Anchor, "#top", ""),
         "<a  href=\"#top\">This is an anchor:</a>\r\n<a id=\"top\" name=\"top\">[place this link anywhere in your "
         "page]</a>\r\n"},
        {"anchor, German, with description and title", fields(LinkKind::Anchor, "top", "Oben", "T", "", false),
         "<a title=\"T\" href=\"#top\">Oben</a>\r\n<a id=\"top\" name=\"top\">[plazieren Sie diesen Anchor "
         "irgendwo auf Ihrer Seite]</a>\r\n"},
        {"anchor loses only its first hash", fields(LinkKind::Anchor, "##a", " "),
         "<a  href=\"##a\">This is an anchor:</a>\r\n<a id=\"#a\" name=\"#a\">[place this link anywhere in your "
         "page]</a>\r\n"},
    };
    for (const Case &c : cases) {
        const LinkResult r = buildLink(c.f);
        EXPECT_TRUE(r.close) << c.name;
        EXPECT_FALSE(r.askExternal) << c.name;
        EXPECT_TRUE(r.messages.isEmpty()) << c.name;
        EXPECT_EQ(r.LinkStart, QString::fromUtf8(c.linkStart)) << c.name;
        // Closing empties the address and the description.
        EXPECT_EQ(r.EditName, QString()) << c.name;
        EXPECT_EQ(r.EditColor, QString()) << c.name;
    }
}

TEST(Link, RefusalsKeepTheDialogOpen)
{
    struct Case {
        const char *name;
        LinkFields f;
        QStringList messages;
        const char *editName; // the address field afterwards
    };
    const Case cases[] = {
        {"web without address", fields(LinkKind::Web, " ", "Home"), {"Enter a URL pls!"}, " "},
        {"web without description", fields(LinkKind::Web, "a.htm", ""), {"Enter a description pls."}, "a.htm"},
        {"none without both", fields(LinkKind::None, "", "\t"), {"Enter a URL pls!", "Enter a description pls."}, ""},
        {"German, both missing", fields(LinkKind::Web, "", "", "", "", false),
         {"Geben Sie bitte ein Ziel für den Link an!", "Bitte eine Beschreibung eingeben."}, ""},
        {"mail without @", fields(LinkKind::Mail, "mailto:me", "Write"), {"Enter a valid email please."}, "mailto:me"},
        {"mail without @, German", fields(LinkKind::Mail, "me", "W", "", "", false),
         {"Bitte geben Sie eine gültige Emailadresse ein."}, "me"},
        {"mail without description: mailto: already gone", fields(LinkKind::Mail, "mailto:me@x", "  "),
         {"Enter a description pls."}, "me@x"},
        {"anchor of only a hash", fields(LinkKind::Anchor, "#", "x"), {"Enter a URL pls!"}, ""},
        {"anchor of a blank name: the hash goes first", fields(LinkKind::Anchor, " # ", "x"), {"Enter a URL pls!"}, "  "},
    };
    for (const Case &c : cases) {
        const LinkResult r = buildLink(c.f);
        EXPECT_FALSE(r.close) << c.name;
        EXPECT_TRUE(r.LinkStart.isEmpty()) << c.name;
        EXPECT_EQ(r.messages, c.messages) << c.name;
        EXPECT_EQ(r.EditName, QString::fromUtf8(c.editName)) << c.name;
        EXPECT_EQ(r.EditColor, c.f.EditColor) << c.name;
    }
}

TEST(Link, ExternalAddressForAnAnchor)
{
    const LinkFields f = fields(LinkKind::Anchor, "#www.x.org", "");
    const LinkResult ask = buildLink(f);
    EXPECT_TRUE(ask.askExternal);
    EXPECT_FALSE(ask.close);
    EXPECT_TRUE(ask.messages.isEmpty());
    EXPECT_EQ(ask.EditName, f.EditName); // nothing changes before the answer
    const LinkResult yes = buildLink(f, true);
    EXPECT_TRUE(yes.close);
    EXPECT_EQ(yes.LinkStart, QStringLiteral("<a  href=\"#www.x.org\">This is an anchor:</a>\r\n<a id=\"www.x.org\" "
                                            "name=\"www.x.org\">[place this link anywhere in your page]</a>\r\n"));
    EXPECT_EQ(linkTexts(true).externalAddress,
              QStringLiteral("It seems you have entered an external Url for an internal anchor. Continue anyway?"));
    EXPECT_EQ(linkTexts(false).externalAddress,
              QString::fromUtf8("Es scheint, Sie haben eine externe URL für einen internen Anchor angegeben. "
                                "Trotzdem fortfahren?"));
    // Only the anchor kind asks.
    EXPECT_FALSE(buildLink(fields(LinkKind::Web, "www.x.org", "X")).askExternal);
}
