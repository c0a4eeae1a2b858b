// Opens an exported series page in headless chromium and checks what the user sees: the
// "Опыт" table at start, one table per tab link (the summary "Итого" and, when collected, the
// author's statistics too), the survival and extreme colours, the legend, a tab strip that stays
// in view, header rows and names that stay in view while a table scrolls, and the charts tab with
// its drawings, on a desktop and at a phone's width.
// The page is KORDEX_EXPORTED_PAGE, or the expected page of the small test series.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const here = dirname(fileURLToPath(import.meta.url));
const pagePath = resolve(
    process.env.KORDEX_EXPORTED_PAGE ?? join(here, '..', 'data', 'export', 'small_series_page.htm'));
const chromiumPath = process.env.KORDEX_CHROMIUM ?? '/usr/bin/chromium';

const seriesTabs = [
    { anchor: 'exp', caption: 'Опыт' },
    { anchor: 'frg', caption: 'Фраги' },
    { anchor: 'dmg', caption: 'Урон' },
    { anchor: 'sup', caption: 'Поддержка' },
    { anchor: 'sht', caption: 'Стрельба' },
    { anchor: 'sum', caption: 'Итого' },
];
// Filled from the page: "Дополнительно" is there only when the author's statistics were
// collected.
let tabs = seriesTabs;

let profile;
let context;
let page;

before(async () => {
    profile = mkdtempSync(join(tmpdir(), 'kordex-chromium-'));
    context = await chromium.launchPersistentContext(profile, {
        executablePath: chromiumPath,
        headless: true,
        args: [
            '--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync',
        ],
    });
    page = await context.newPage();
    // A series of every real replay is a large page, and the machine may be busy.
    page.setDefaultTimeout(180000);
    await page.setViewportSize({ width: 800, height: 500 });
    await page.goto(pathToFileURL(pagePath).href, { timeout: 180000 });
    if (await page.locator('.tabsLink a[href="#add"]').count() > 0)
        tabs = [...seriesTabs, { anchor: 'add', caption: 'Дополнительно' }];
});

after(async () => {
    await context?.close();
    if (profile)
        rmSync(profile, { recursive: true, force: true });
});

// The table of a tab: the div that follows the tab's anchor.
const tabTable = (anchor) => page.locator(`#${anchor} + .tab > table`);

async function visibleTabs() {
    const shown = [];
    for (const { anchor } of tabs) {
        if (await tabTable(anchor).isVisible())
            shown.push(anchor);
    }
    return shown;
}

test('the tab strip reads in Russian from the windows-1251 page', async () => {
    const captions = await page.locator('.tabsLink a').allTextContents();
    assert.deepEqual(captions, [...tabs.map((t) => t.caption), 'Графики']);
});

test('the page declares a viewport for phones', async () => {
    const content = await page.locator('meta[name="viewport"]').getAttribute('content');
    assert.match(content, /width=device-width/);
});

test('the experience table is the only one shown at start', async () => {
    assert.deepEqual(await visibleTabs(), ['exp']);
});

test('each tab link shows its own table and hides the others', async () => {
    for (const { anchor, caption } of [...tabs.slice(1), tabs[0]]) {
        await page.click(`.tabsLink a[href="#${anchor}"]`);
        const shown = await visibleTabs();
        assert.ok(shown.includes(anchor), `${caption} is not shown`);
        assert.deepEqual(shown, [anchor], `after a click on ${caption}`);
    }
});

test('battle cells are coloured by survival and by the team extremes', async () => {
    await page.click('.tabsLink a[href="#exp"]');
    const table = tabTable('exp');
    const style = (locator, property) =>
        locator.evaluate((element, name) => getComputedStyle(element)[name], property);

    const survived = table.locator('td.survived').first();
    const died = table.locator('td.died').first();
    assert.equal(await style(survived, 'backgroundColor'), 'rgb(216, 255, 216)');
    assert.equal(await style(died, 'backgroundColor'), 'rgb(255, 216, 216)');
    assert.equal(await style(table.locator('p.max').first(), 'color'), 'rgb(0, 128, 0)');
    assert.equal(await style(table.locator('p.min').first(), 'color'), 'rgb(255, 0, 0)');
    assert.ok(await survived.isVisible());
    assert.ok(await died.isVisible());
});

test('outcome headers carry the outcome colours', async () => {
    const table = tabTable('exp');
    const colours = await table.locator('th').evaluateAll((cells) =>
        cells.map((cell) => [cell.textContent, getComputedStyle(cell).backgroundColor]));
    const colourOf = (word) => colours.find(([text]) => text === word)?.[1];
    for (const [word, colour] of [['Победа', 'rgb(0, 255, 0)'], ['Поражение', 'rgb(255, 0, 0)'],
                                  ['Ничья', 'rgb(255, 255, 0)']]) {
        const found = colourOf(word);
        if (found !== undefined)
            assert.equal(found, colour, word);
    }
    assert.ok(colourOf('Победа') ?? colourOf('Поражение') ?? colourOf('Ничья'),
              'no outcome header on the page');
});

test('choosing a tab never scrolls the tab strip out of view', async () => {
    for (const { anchor, caption } of [...tabs.slice(1), tabs[0]]) {
        await page.click(`.tabsLink a[href="#${anchor}"]`);
        const strip = await page.locator('.tabsLink').boundingBox();
        assert.ok(strip.y >= 0 && strip.y < 5, `strip at ${strip.y} after ${caption}`);
        assert.equal(await page.evaluate(() => window.scrollY), 0, caption);
        const link = page.locator(`.tabsLink a[href="#${anchor}"]`);
        assert.ok(await link.isVisible(), caption);
    }
});

test('the legend is one line that explains the colours', async () => {
    const legend = page.locator('.legend');
    assert.equal(await legend.count(), 1);
    const box = await legend.boundingBox();
    const lineHeight = await legend.evaluate((element) =>
        parseFloat(getComputedStyle(element).lineHeight) || parseFloat(getComputedStyle(element).fontSize) * 1.3);
    assert.ok(box.height < 2 * lineHeight + 10, `legend ${box.height}px high`);
    const colours = await legend.locator('span').evaluateAll((spans) =>
        spans.map((span) => [span.className, getComputedStyle(span).backgroundColor,
                             getComputedStyle(span).color]));
    const byClass = Object.fromEntries(colours.map(([name, background, text]) => [name, { background, text }]));
    assert.equal(byClass.win.background, 'rgb(0, 255, 0)');
    assert.equal(byClass.defeat.background, 'rgb(255, 0, 0)');
    assert.equal(byClass.standoff.background, 'rgb(255, 255, 0)');
    assert.equal(byClass.survived.background, 'rgb(216, 255, 216)');
    assert.equal(byClass.died.background, 'rgb(255, 216, 216)');
    assert.equal(byClass.max.text, 'rgb(0, 128, 0)');
    assert.equal(byClass.min.text, 'rgb(255, 0, 0)');
});

test('header rows and names stay in view while a table scrolls', async () => {
    await page.click('.tabsLink a[href="#exp"]');
    const table = tabTable('exp');
    const scroller = page.locator('#exp + .tab');
    // Enough rows and columns to scroll: a small series' table is made taller and wider.
    await table.evaluate((element) => {
        const area = element.parentElement;
        if (area.scrollHeight > area.clientHeight + 400 && area.scrollWidth > area.clientWidth + 600)
            return;
        const body = element.tBodies[0];
        const row = body.rows[0];
        for (let i = 0; i < 60; ++i)
            body.appendChild(row.cloneNode(true));
        for (const line of element.rows)
            for (let i = 0; i < 30; ++i)
                line.appendChild(line.cells[line.cells.length - 1].cloneNode(true));
    });
    const headerBefore = await table.locator('thead tr').first().locator('th').first().boundingBox();
    await scroller.evaluate((element) => { element.scrollTop = 400; element.scrollLeft = 600; });
    const header = await table.locator('thead tr').nth(2).locator('th').nth(3).boundingBox();
    const corner = await table.locator('thead tr').first().locator('th').first().boundingBox();
    const name = await table.locator('tbody tr').nth(30).locator('td').first().boundingBox();
    const area = await scroller.boundingBox();
    // The table's own border may scroll away, nothing more.
    const near = (a, b) => a >= b - 0.5 && a <= b + 3;
    assert.ok(near(corner.y, area.y) && near(corner.x, area.x),
              `corner at ${corner.x},${corner.y}, area at ${area.x},${area.y}`);
    assert.ok(header.y >= area.y && header.y < area.y + 3 * headerBefore.height + 20,
              `third header row at ${header.y}, area at ${area.y}`);
    assert.ok(near(name.x, area.x), `name column at ${name.x}, area at ${area.x}`);
    assert.ok(name.y > area.y + 2 * headerBefore.height, 'the names scroll under the header');
    assert.equal(await page.evaluate(() => window.scrollY), 0);
    await scroller.evaluate((element) => { element.scrollTop = 0; element.scrollLeft = 0; });
});

test('the summary tab shows the attendance of every player', async () => {
    await page.click('.tabsLink a[href="#sum"]');
    const table = tabTable('sum');
    assert.ok(await table.isVisible());
    const titles = await table.locator('thead th').allTextContents();
    assert.deepEqual(titles.slice(-3), ['Боёв', 'Побед', '% побед']);
    const rows = await table.locator('tbody tr').evaluateAll((lines) =>
        lines.map((line) => [...line.cells].map((cell) => cell.textContent)));
    assert.ok(rows.length > 0);
    for (const cells of rows) {
        const [battles, wins, percent] = cells.slice(-3).map(Number);
        assert.ok(battles >= 1 && wins <= battles, cells.join(' | '));
        assert.ok(Math.abs(percent - (wins * 100) / battles) <= 0.5, cells.join(' | '));
    }
});

test('the author\'s statistics tab, when collected, shows captions beside values', async (t) => {
    if (!tabs.some(({ anchor }) => anchor === 'add'))
        return t.skip('the page was exported without the author\'s statistics');
    await page.click('.tabsLink a[href="#add"]');
    const table = tabTable('add');
    assert.ok(await table.isVisible());
    assert.equal(await table.locator('th').first().textContent(), 'Статистика автора реплеев');
    const text = await table.textContent();
    for (const caption of ['Побед/Боев:', 'Выживаемость:', 'Прибыль:'])
        assert.ok(text.includes(caption), caption);
});

test('player names link to the portal search and show as plain text', async () => {
    const link = tabTable('exp').locator('tbody tr td:first-child a').first();
    const name = await link.textContent();
    const href = await link.getAttribute('href');
    // The portal of the replays' region: ru, eu, com or asia.
    assert.match(href, /^http:\/\/worldoftanks\.(ru|eu|com|asia)\/community\/accounts\/#wot&at_search=/);
    assert.equal(decodeURIComponent(href.split('at_search=')[1]), name);
    assert.equal(await page.locator('script, img, iframe').count(), 0);
});

// The drawings of the charts tab: the team's and the ranking first, then one fold per player.
const charts = () => page.locator('#chr + .tab .charts');

test('the charts tab shows the team and the ranking and hides the tables', async () => {
    assert.equal(await charts().isVisible(), false);
    await page.click('.tabsLink a[href="#chr"]');
    assert.deepEqual(await visibleTabs(), []);
    const drawings = charts().locator(':scope > svg.chart');
    assert.equal(await drawings.count(), 4);
    for (let i = 0; i < 4; ++i) {
        const drawing = drawings.nth(i);
        assert.ok(await drawing.isVisible(), `drawing ${i} is not shown`);
        const box = await drawing.boundingBox();
        assert.ok(box.width > 200 && box.height > 60, JSON.stringify(box));
    }
    // The team's columns carry the outcome colours.
    const fills = await drawings.first().locator('rect[stroke]').evaluateAll((rects) =>
        rects.map((rect) => rect.getAttribute('fill')));
    assert.ok(fills.length >= 2, 'no battle columns');
    assert.ok(fills.every((fill) => ['#00FF00', '#FF0000', '#FFFF00'].includes(fill)), fills.join());
});

test('a player\'s fold opens on their experience and damage lines', async () => {
    await page.click('.tabsLink a[href="#chr"]');
    const fold = charts().locator('details.player').first();
    const drawings = fold.locator('svg.chart');
    assert.equal(await drawings.count(), 2);
    assert.equal(await drawings.first().isVisible(), false);
    await fold.locator('summary').click();
    for (let i = 0; i < 2; ++i)
        assert.ok(await drawings.nth(i).isVisible(), `player drawing ${i} is not shown`);
    assert.ok(await drawings.first().locator('circle').count() >= 1, 'no points');
});

test('on a phone the drawings shrink to the screen', async () => {
    await page.setViewportSize({ width: 360, height: 740 });
    await page.click('.tabsLink a[href="#chr"]');
    const box = await charts().locator(':scope > svg.chart').first().boundingBox();
    assert.ok(box.width <= 360 && box.width > 250, JSON.stringify(box));
    assert.ok(Math.abs(box.height / box.width - 240 / 600) < 0.02, JSON.stringify(box));
    await page.setViewportSize({ width: 1280, height: 720 });
});
