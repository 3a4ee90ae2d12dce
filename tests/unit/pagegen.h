// Generated pages for the clean-up and code-check tests: random mixes of what the steps
// look at (tag case, unquoted and single-quoted values, unclosed and redundant tags of
// every balance pair, broken end tags, empty elements, comments, script and style
// blocks, declarations, line breaks inside tags, stray blanks and brackets).
#pragma once

#include <QString>
#include <QStringList>
#include <random>

namespace pagegen {

class Generator
{
public:
    explicit Generator(unsigned seed) : m_rng(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(int percent) { return pick(100) < percent; }

    QString mixCase(const QString &s)
    {
        const int mode = pick(4);
        if (mode == 0)
            return s;
        if (mode == 1)
            return s.toUpper();
        QString r = s;
        for (QChar &c : r)
            if (chance(50))
                c = c.toUpper();
        return r;
    }

    QString value()
    {
        static const char *const values[] = {"x", "100", "Main", "a.htm", "#FF0000", "color: red; margin: 0",
                                             "f(a, b)", "1px solid", "", "x=y", "a b", "Param1", "'q'"};
        return QString::fromLatin1(values[pick(int(std::size(values)))]);
    }

    QString attribute()
    {
        static const char *const names[] = {"class", "WIDTH", "href", "style", "Name", "src", "id", "onclick", "alt"};
        QString a = mixCase(QString::fromLatin1(names[pick(int(std::size(names)))]));
        const QString v = value();
        switch (pick(6)) {
        case 0: return a + "=" + v;
        case 1: return a + "='" + v + "'";
        case 2: return a + "=\"" + v + "\"";
        case 3: return a + " = " + v;
        case 4: return a;
        default: return a + "=\"" + v + "'";
        }
    }

    QString startTag(const QString &name)
    {
        QString t = "<" + mixCase(name);
        const int n = chance(5) ? 10 + pick(5) : pick(3);
        for (int i = 0; i < n; ++i)
            t += (chance(10) ? "  " : chance(5) ? "\r\n" : " ") + attribute();
        if (chance(8))
            t += " ";
        if (chance(5))
            t += "/";
        return t + ">";
    }

    QString endTag(const QString &name)
    {
        switch (pick(20)) {
        case 0: return " /" + name + ">";
        case 1: return ">/" + name + ">";
        case 2: return "\r\n/" + name + ">";
        case 3: return "</" + name + " >";
        default: return "</" + mixCase(name) + ">";
        }
    }

    QString text()
    {
        static const char *const words[] = {"Hello", "x", " ", "&nbsp;", "&NBSP;", "a < b", "1 > 0", "\r\n",
                                            "  ", "caf\xc3\xa9", "\xc4\xb1", "\xc5\xbf", "\xee\x80\x80", "(", ")"};
        return QString::fromUtf8(words[pick(int(std::size(words)))]);
    }

    QString element(int depth)
    {
        static const char *const tags[] = {"div", "span", "table", "tr", "td", "tbody", "font", "a", "strong",
                                           "b", "i", "em", "ul", "sup", "sub", "del", "strike", "u", "small",
                                           "p", "h1", "h3", "blockquote", "li", "o:p", "title"};
        static const char *const empties[] = {"br", "BR", "hr", "img", "input", "br/"};
        switch (pick(24)) {
        case 0: return "<" + QString::fromLatin1(empties[pick(int(std::size(empties)))]) + (chance(50) ? ">" : " src='a.gif'>");
        case 1: return "<!-- " + mixCase("My Comment") + " -->";
        case 2: return chance(50) ? "<!--script0-->" : "<!--STYLE1-->";
        case 3: return "<script type=text/javascript>if (a < b) { x = \"Y\"; }" + QString(chance(20) ? "<!--script1-->" : "") + "</SCRIPT>";
        case 4: return "<Style>P { color: Red }" + QString(chance(30) ? "<script>y</script>" : "") + "</style>";
        case 5: return QStringLiteral("<b>\r\n</b>");
        case 6: return chance(50) ? "<u>\r\n</u>" : "<strong><br></strong>";
        case 7: return chance(50) ? "<span> &nbsp; </span>" : "<h1></h1>";
        case 8: return chance(50) ? "< b>" : "<b >";
        case 9: return chance(50) ? "<<" : ">>";
        case 10: return chance(50) ? "> <" : "<a  href=x>";
        case 11: return chance(50) ? "<!div>" : "<!b>";
        case 12: return chance(50) ? "<" : ">";
        case 13: return chance(50) ? "<title lang=x>T</title>" : "<TITLE>";
        default: break;
        }
        const QString name = QString::fromLatin1(tags[pick(int(std::size(tags)))]);
        QString s = startTag(name);
        if (depth < 4) {
            const int n = pick(4);
            for (int i = 0; i < n; ++i)
                s += chance(40) ? text() : element(depth + 1);
        } else {
            s += text();
        }
        if (!chance(15))
            s += endTag(name);
        if (chance(8))
            s += endTag(name);
        return s;
    }

    QString page()
    {
        QString p;
        switch (pick(6)) {
        case 0: p += "<!DOCTYPE html>\r\n"; break;
        case 1: p += "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n"; break;
        case 2: p += "  <!doctype HTML>"; break;
        default: break;
        }
        const bool frame = chance(70);
        if (frame)
            p += mixCase(chance(80) ? "<html>" : "<html lang=de>") + "\r\n" + (chance(80) ? mixCase("<head>") : "") + "<title>T</title>" + (chance(80) ? "</head>" : "") + "\r\n" + (chance(85) ? mixCase("<body>") : "") + "\r\n";
        const int n = 1 + pick(12);
        for (int i = 0; i < n; ++i)
            p += chance(25) ? text() : element(0);
        if (frame)
            p += (chance(85) ? "</body>" : "") + QString(chance(85) ? "\r\n</html>" : "");
        if (chance(10))
            p += "\r\n  ";
        return p;
    }

    // A short text of pieces that sit close together: broken and marked tags, brackets,
    // blanks and line breaks, so that the marks and repairs of one pass meet.
    QString fragments()
    {
        static const char *const pieces[] = {
            "<a ", "</a>", " /a ", ">/a ", "<b>", "<B>", "</b>", " /b>", ">/b>", "\r\n/b>", "<div", "<DIV>",
            "</div>", " /div>", ">/div>", "\r\n/div>", "<!div", "<body>", "<BODY ", "<", ">", " ", "\r\n",
            "&nbsp;", "<br>", "<span>", "</span>", "<h1>", "</h1>", "<font", "</font>", "<!--script0-->",
            "<script>", "</script>", "<style>", "</style>", "=", "'", "\"", "x", "<!/div>", "<td", "</td>", "<tr",
            "</tr>", "<table", "<!tr", "<title>", "</title>", "<html>", "<!DOCTYPE html>", "<u>", "</u>"};
        QString s;
        const int n = 3 + pick(40);
        for (int i = 0; i < n; ++i)
            s += QString::fromLatin1(pieces[pick(int(std::size(pieces)))]);
        return s;
    }

private:
    std::mt19937 m_rng;
};

} // namespace pagegen
