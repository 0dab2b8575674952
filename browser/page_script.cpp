#include "browser/page_script.h"

namespace lirvan {

namespace {

// Installed once per document in the program's world. The kinds are those
// of ElementKind.
constexpr const char* kLibrary = R"js(
if (!window.__lirvan) window.__lirvan = (function () {
  'use strict';
  const K = { other: 0, table: 1, cell: 2, anchor: 3, list: 4, option: 5, textInput: 6,
              textArea: 7, inputButton: 8, button: 9, input: 10, heading: 11 };
  const TEXT_TYPES = new Set(['text', 'search', 'email', 'url', 'tel', 'number', 'date', 'time',
                              'datetime-local', 'month', 'week']);
  const NEVER_SHOWN = new Set(['SCRIPT', 'STYLE', 'NOSCRIPT', 'TEMPLATE', 'TITLE', 'META', 'LINK']);
  const HEADINGS = { H1: 1, H2: 2, H3: 3, H4: 4, H5: 5, H6: 6 };
  const state = { gen: 0, els: [], uids: new WeakMap(), nextUid: 1, changes: 0, last: 0 };

  // Content a page adds or changes after its load is taken in again later.
  new MutationObserver(function () { state.changes++; state.last = performance.now(); })
    .observe(document, { subtree: true, childList: true, characterData: true, attributes: true,
                         attributeFilter: ['class', 'style', 'hidden', 'open'] });

  function kindOf(el, tag) {
    if (HEADINGS[tag]) return K.heading;
    switch (tag) {
      case 'TABLE': return K.table;
      case 'TD': case 'TH': return K.cell;
      case 'A': return el.hasAttribute('href') ? K.anchor : K.other;
      case 'SELECT': return K.list;
      case 'OPTION': return el.closest('select') ? K.option : K.other;
      case 'TEXTAREA': return K.textArea;
      case 'BUTTON': return K.button;
      case 'INPUT':
        if (TEXT_TYPES.has(el.type)) return K.textInput;
        if (el.type === 'button' || el.type === 'image') return K.inputButton;
        return K.input;
    }
    const role = el.getAttribute('role');
    if (role === 'link') return K.anchor;
    if (role === 'heading') return K.heading;
    return K.other;
  }

  function attr(el, name) { return (el.getAttribute(name) || '').trim(); }

  function labelledBy(el) {
    const ids = attr(el, 'aria-labelledby');
    if (!ids) return '';
    return ids.split(/\s+/).map(function (id) {
      const target = document.getElementById(id);
      return target ? target.innerText : '';
    }).join(' ').trim();
  }

  // What a field is called: its label, else what the page says of it, else
  // its name attribute.
  function fieldName(el) {
    if (el.labels && el.labels.length > 0) {
      let text = el.labels[0].innerText || '';
      const own = el.tagName === 'SELECT' ? el.innerText : '';
      if (own && text.includes(own)) text = text.replace(own, '');
      text = text.trim();
      if (text) return text;
    }
    return attr(el, 'aria-label') || labelledBy(el) || attr(el, 'placeholder') ||
           attr(el, 'title') || attr(el, 'name');
  }

  function caption(el, tag) {
    if (tag === 'BUTTON') return (el.innerText || '').trim() || attr(el, 'aria-label') || attr(el, 'title');
    if (el.type === 'image') return attr(el, 'alt') || attr(el, 'title') || el.value || attr(el, 'name');
    return el.value || attr(el, 'aria-label') || attr(el, 'title');
  }

  // A link without text is named by its image's text alternative, its
  // title or its address, never left silent.
  function linkAlternative(el) {
    const image = el.querySelector('img[alt]');
    const alt = image ? attr(image, 'alt') : '';
    return alt || attr(el, 'aria-label') || labelledBy(el) || attr(el, 'title') || attr(el, 'href');
  }

  function nameOf(el, tag, kind, text) {
    switch (kind) {
      case K.anchor: return text.trim() ? '' : linkAlternative(el);
      case K.inputButton: case K.button: return caption(el, tag);
      case K.list: case K.textInput: case K.textArea: return fieldName(el);
      case K.input:
        return (el.type === 'submit' || el.type === 'reset') ? caption(el, tag) : fieldName(el);
    }
    return '';
  }

  // XML shown as a tree is not a page to read; HTML, XHTML, text and
  // images are.
  function isHtml() {
    const type = document.contentType || '';
    return type === 'application/xhtml+xml' || !type.includes('xml');
  }

  function uidOf(el) {
    let uid = state.uids.get(el);
    if (uid === undefined) { uid = state.nextUid++; state.uids.set(el, uid); }
    return uid;
  }

  // An element's text as innerText lays it out (blocks on lines of their
  // own, cells ended by tabs, white space collapsed, nothing that is not
  // shown), built in one walk from the children's texts: asking every
  // element for its innerText would lay each subtree out again.
  function tidy(text) {
    return text.replace(/ {2,}/g, ' ').replace(/ *\n[ \n]*/g, '\n').replace(/ *\t */g, '\t')
               .replace(/\t+(?=\n|$)/g, '').replace(/^[ \n\t]+|[ \n\t]+$/g, '');
  }

  function framed(frame, text) {
    if (frame.tag === 'BR') return '\n';
    const display = frame.display;
    if (display === 'table-cell') return text + '\t';
    if (display.startsWith('inline') || display === 'contents') return text;
    return '\n' + text + '\n';
  }

  function row(frame, text) {
    const el = frame.el, tag = frame.tag;
    const kind = frame.visible ? kindOf(el, tag) : K.other;
    return [tag, text, kind === K.other ? '' : nameOf(el, tag, kind, text),
            tag === 'INPUT' ? el.type : '', kind, el.checked === true ? 1 : 0,
            kind === K.heading ? (HEADINGS[tag] || parseInt(el.getAttribute('aria-level'), 10) || 2) : 0,
            frame.parent, uidOf(el)];
  }

  // Every element under the root in document order, into els and rows;
  // returns the root's text. A loop rather than recursion: pages nest deep.
  function walk(root, els, rows) {
    const stack = [{ el: root, tag: 'BODY', index: -1, shown: true, visible: true,
                     display: 'block', parts: [], next: root.firstChild }];
    for (;;) {
      const top = stack[stack.length - 1];
      const node = top.next;
      if (node === null) {
        stack.pop();
        const text = top.shown ? tidy(top.parts.join('')) : '';
        if (top.index >= 0) rows[top.index] = row(top, text);
        if (stack.length === 0) return text;
        if (top.shown) stack[stack.length - 1].parts.push(framed(top, text));
        continue;
      }
      top.next = node.nextSibling;
      if (node.nodeType === Node.TEXT_NODE) {
        if (top.visible) top.parts.push(node.data.replace(/[ \t\n\r\f]+/g, ' '));
        continue;
      }
      if (node.nodeType !== Node.ELEMENT_NODE) continue;
      const tag = node.tagName.toUpperCase();
      let display = 'none', visible = false;
      if (top.shown && !NEVER_SHOWN.has(tag)) {
        const style = getComputedStyle(node);
        display = style.display;
        visible = display !== 'none' && style.visibility === 'visible';
      }
      stack.push({ el: node, tag: tag, index: els.length, parent: top.index,
                   shown: display !== 'none', visible: visible, display: display, parts: [],
                   next: node.firstChild });
      els.push(node);
      rows.push(null);
    }
  }

  function snapshot() {
    const body = document.body;
    const els = [], rows = [];
    const text = body ? walk(body, els, rows) : '';
    state.gen++;
    state.els = els;
    return JSON.stringify({
      g: state.gen, c: state.changes, h: isHtml(), b: body !== null, t: document.title, x: text,
      f: document.forms.length, e: rows });
  }

  function act(gen, i, what) {
    if (gen !== state.gen) return 'stale';
    const el = state.els[i];
    if (!el || !el.isConnected) return 'gone';
    switch (what) {
      case 'focus': el.focus(); return 'ok';
      case 'text': el.focus(); if (typeof el.select === 'function') el.select(); return 'ok';
      case 'option': {
        // Selected without the change event: a jump menu would navigate
        // while the user only listens to its options.
        el.selected = true;
        const list = el.closest('select');
        if (list) list.focus();
        return 'ok';
      }
      case 'toggle':
        if (el.type === 'radio' && el.checked) {
          el.checked = false;
          el.dispatchEvent(new Event('input', { bubbles: true }));
          el.dispatchEvent(new Event('change', { bubbles: true }));
        } else {
          el.click();
        }
        return el.checked ? 'on' : 'off';
      case 'commit':
        el.dispatchEvent(new Event('input', { bubbles: true }));
        el.dispatchEvent(new Event('change', { bubbles: true }));
        return 'ok';
    }
    return 'gone';
  }

  function focusedField() {
    const el = document.activeElement;
    if (!el) return null;
    if (el.tagName === 'TEXTAREA' ||
        (el.tagName === 'INPUT' && (TEXT_TYPES.has(el.type) || el.type === 'password'))) {
      let caret = null;
      try { caret = el.selectionStart; } catch (e) { caret = null; }
      return { k: el.type === 'password' ? 2 : 1, v: el.value,
               s: caret === null ? el.value.length : caret };
    }
    if (el.isContentEditable) return { k: 1, v: el.innerText, s: -1 };
    return null;
  }

  return {
    title: function () { return JSON.stringify({ t: document.title, h: isHtml() }); },
    snapshot: snapshot,
    act: function (gen, i, what) { return JSON.stringify(act(gen, i, what)); },
    poll: function () { return JSON.stringify([state.changes, performance.now() - state.last]); },
    field: function () { return JSON.stringify(focusedField()); },
  };
})();
)js";

QString Call(const QString& expression) {
  return QString::fromUtf8(kLibrary) + QStringLiteral("window.__lirvan.") + expression + ';';
}

const char* ActionName(ElementAction action) {
  switch (action) {
    case ElementAction::Focus:
      return "focus";
    case ElementAction::SelectText:
      return "text";
    case ElementAction::SelectOption:
      return "option";
    case ElementAction::Toggle:
      return "toggle";
    case ElementAction::Commit:
      return "commit";
  }
  return "focus";
}

}  // namespace

QString TitleCall() { return Call(QStringLiteral("title()")); }

QString SnapshotCall() { return Call(QStringLiteral("snapshot()")); }

QString ActionCall(std::uint32_t generation, int index, ElementAction action) {
  return Call(QStringLiteral("act(%1, %2, '%3')")
                  .arg(generation)
                  .arg(index)
                  .arg(QLatin1String(ActionName(action))));
}

QString PollCall() { return Call(QStringLiteral("poll()")); }

QString FocusedFieldCall() { return Call(QStringLiteral("field()")); }

}  // namespace lirvan
